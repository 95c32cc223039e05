#include "ExportsFixture.h"

#include "frame/PluginLifetime.h"
#include "pcsc/Winscard.h"

#include <cstring>
#include <optional>
#include <vector>

namespace brontel {
namespace {

TEST_F(Exports, ReadersAreListedByIndexUntilTheListEnds) {
    ASSERT_EQ(sim().addReader("Second Reader"), 1);
    std::vector<std::u16string> names;
    for (uint32_t i = 0;; ++i) {
        char16_t buffer[256] = {};
        uint32_t length = 256;
        if (enum_sim(i, buffer, &length) == 0) {
            break;
        }
        EXPECT_EQ(length, std::u16string(buffer).size() + 1);
        names.emplace_back(buffer);
    }
    EXPECT_EQ(names, (std::vector<std::u16string>{readerName(0), u"Second Reader"}));
}

TEST_F(Exports, ReaderEnumerationRefusesAZeroLengthAtEveryIndex) {
    char16_t buffer[8] = {u'x'};
    for (uint32_t index : {0u, 1u}) {
        uint32_t length = 0;
        EXPECT_EQ(enum_sim(index, buffer, &length), 0);
        EXPECT_EQ(length, 0u);
    }
    EXPECT_EQ(buffer[0], u'x');
}

TEST_F(Exports, ABufferOneCharacterShortIsLeftAloneAndTheNeededLengthReported) {
    const std::u16string name = readerName();
    std::vector<char16_t> buffer(name.size() + 1, u'#');
    uint32_t length = static_cast<uint32_t>(name.size());
    EXPECT_EQ(enum_sim(0, buffer.data(), &length), 1);
    EXPECT_EQ(length, name.size() + 1);
    EXPECT_EQ(std::u16string(buffer.begin(), buffer.end()), std::u16string(name.size() + 1, u'#'));

    EXPECT_EQ(enum_sim(0, buffer.data(), &length), 1);
    EXPECT_EQ(std::u16string(buffer.data()), name);
}

TEST_F(Exports, ANonAsciiReaderNameComesBackAndConnects) {
    ASSERT_EQ(sim().renameReader(0,
                                 "Lecteur \xC3\xA9l\xC3\xA8ve \xE8\xAF\xBB\xE5\x8D\xA1\xE5\x99\xA8 "
                                 "\xF0\x9F\x94\x91"),
              0);
    char16_t buffer[64] = {};
    uint32_t length = 64;
    ASSERT_EQ(enum_sim(0, buffer, &length), 1);
    EXPECT_EQ(std::u16string(buffer), u"Lecteur \u00E9l\u00E8ve \u8BFB\u5361\u5668 \U0001F511");
    EXPECT_EQ(length, std::u16string(buffer).size() + 1);
    SimHandle h = nullptr;
    ASSERT_EQ(connect_sim(buffer, &h, nullptr), 1);
    EXPECT_EQ(disconnect_sim(h), 1);
}

TEST_F(Exports, ConnectRefusesMissingArgumentsWithoutWritingAnything) {
    SimHandle h = reinterpret_cast<SimHandle>(0x1234);
    SimInfo info{};
    std::memset(&info, 0x5A, sizeof info);
    EXPECT_EQ(connect_sim(u"", &h, &info), 0);
    EXPECT_EQ(connect_sim(nullptr, &h, &info), 0);
    EXPECT_EQ(connect_sim(readerName().c_str(), nullptr, &info), 0);
    EXPECT_EQ(h, reinterpret_cast<SimHandle>(0x1234));
    SimInfo pattern{};
    std::memset(&pattern, 0x5A, sizeof pattern);
    EXPECT_EQ(std::memcmp(&info, &pattern, sizeof info), 0);
    // The card was not touched: it can still be opened exclusively.
    handle = connect();
}

TEST_F(Exports, AFailedConnectWritesNeitherHandleNorInfo) {
    SimInfo info{};
    std::memset(&info, 0x5A, sizeof info);
    const SimInfo before = info;
    SimHandle h = reinterpret_cast<SimHandle>(0x1234);

    sim().removeCard(0);
    EXPECT_EQ(connect_sim(readerName().c_str(), &h, &info), 0);
    EXPECT_EQ(connect_sim(u"No Such Reader", &h, &info), 0);
    EXPECT_EQ(h, reinterpret_cast<SimHandle>(0x1234));
    EXPECT_EQ(std::memcmp(&info, &before, sizeof info), 0);
}

TEST_F(Exports, AReaderHeldExclusivelyElsewhereConnectsOnceReleased) {
    SCARDCONTEXT other = 0;
    ASSERT_EQ(winscard.SCardEstablishContext(SCARD_SCOPE_USER, nullptr, nullptr, &other),
              SCARD_S_SUCCESS);
    SCARDHANDLE held = 0;
    DWORD protocol = 0;
    char utf8[256] = {};
    ASSERT_GE(sim().readerName(0, utf8, sizeof utf8), 0);
    ASSERT_EQ(winscard.SCardConnect(other, utf8, SCARD_SHARE_EXCLUSIVE, SCARD_PROTOCOL_T0, &held,
                                    &protocol),
              SCARD_S_SUCCESS);

    SimHandle h = nullptr;
    EXPECT_EQ(connect_sim(readerName().c_str(), &h, nullptr), 0);
    EXPECT_EQ(h, nullptr);

    winscard.SCardDisconnect(held, SCARD_LEAVE_CARD);
    winscard.SCardReleaseContext(other);
    EXPECT_EQ(connect_sim(readerName().c_str(), &h, nullptr), 1);
    handle = h;
}

TEST_F(Exports, ConnectFillsTheBasicInformationOnlyWhenAskedForNoMore) {
    SimInfo info{};
    handle = connect(0, &info);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(info.pin1Enabled, 1);
    EXPECT_EQ(info.pin1Attempts, 3);
    EXPECT_EQ(info.puk1Attempts, 10);
    EXPECT_EQ(info.pin2Attempts, 3);
    EXPECT_EQ(info.puk2Attempts, 10);
    EXPECT_EQ(text(info.atrText), u"3B1A115649525455414C53494D");
    EXPECT_EQ(text(info.iccid), u"");
}

TEST_F(Exports, SeveralConnectionsShareTheOneContext) {
    ASSERT_EQ(sim().addReader(nullptr), 1);
    insertFile(test::cardPath("no-spn"), 1);
    const SCARDCONTEXT shared = pcsc_context;
    handle = connect(0);
    SimHandle second = connect(1);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, handle);
    EXPECT_EQ(pcsc_context, shared);
    SimInfo info{};
    EXPECT_EQ(get_sim_info(handle, &info), 1);
    EXPECT_EQ(get_sim_info(second, &info), 1);
    EXPECT_EQ(disconnect_sim(second), 1);
    EXPECT_EQ(get_sim_info(handle, &info), 1);
}

TEST_F(Exports, DisconnectClosesTheCardForTheNextCaller) {
    SimHandle h = connect();
    EXPECT_EQ(disconnect_sim(h), 1);
    EXPECT_EQ(disconnect_sim(nullptr), 0);
    handle = connect();
}

TEST_F(Exports, LastErrorDescribesTheLastCommandOfTheConnection) {
    EXPECT_EQ(get_last_error(nullptr), kBrontelErrorNullHandle);
    handle = connect();
    EXPECT_EQ(get_last_error(handle), 0);
    EXPECT_EQ(verify_pin1(handle, u"0000"), 0);
    EXPECT_EQ(get_last_error(handle), -9);
    EXPECT_EQ(verify_pin1(handle, u"1234"), 1);
    EXPECT_EQ(get_last_error(handle), 0);
    EXPECT_EQ(enable_pin1(handle, u"1234"), 0);
    EXPECT_EQ(get_last_error(handle), -10);
    for (int i = 0; i < 3; ++i) {
        verify_pin1(handle, u"9999");
    }
    EXPECT_EQ(verify_pin1(handle, u"1234"), 0);
    EXPECT_EQ(get_last_error(handle), -12);
}

TEST_F(Exports, EveryExportRefusesANullHandle) {
    SimInfo info{};
    EXPECT_EQ(get_sim_info(nullptr, &info), 0);
    EXPECT_EQ(verify_pin1(nullptr, u"1234"), 0);
    EXPECT_EQ(verify_pin2(nullptr, u"5678"), 0);
    EXPECT_EQ(change_pin1(nullptr, u"1234", u"4321"), 0);
    EXPECT_EQ(change_pin2(nullptr, u"5678", u"8765"), 0);
    EXPECT_EQ(unblock_pin1(nullptr, u"12345678", u"1234"), 0);
    EXPECT_EQ(unblock_pin2(nullptr, u"87654321", u"5678"), 0);
    EXPECT_EQ(enable_pin1(nullptr, u"1234"), 0);
    EXPECT_EQ(disable_pin1(nullptr, u"1234"), 0);
    EXPECT_EQ(get_last_error(nullptr), 6);
}

} // namespace
} // namespace brontel

namespace brontel {
namespace {

// Holds the card of reader 0 exclusively through a second context.
struct ExclusiveHolder {
    SCARDCONTEXT context = 0;
    SCARDHANDLE card = 0;
    ExclusiveHolder() {
        char utf8[256] = {};
        DWORD protocol = 0;
        winscard.SCardEstablishContext(SCARD_SCOPE_USER, nullptr, nullptr, &context);
        if (virtualSim().readerName(0, utf8, sizeof utf8) >= 0) {
            winscard.SCardConnect(context, utf8, SCARD_SHARE_EXCLUSIVE, SCARD_PROTOCOL_T0, &card,
                                  &protocol);
        }
    }
    ~ExclusiveHolder() {
        winscard.SCardDisconnect(card, SCARD_LEAVE_CARD);
        winscard.SCardReleaseContext(context);
    }
};

struct OpenFailure {
    const char* name;
    void (*arrange)();
    int32_t reason;
};

class WhyConnectFailed : public Exports, public ::testing::WithParamInterface<OpenFailure> {};

TEST_P(WhyConnectFailed, NullHandleGivesTheReason) {
    GetParam().arrange();
    std::optional<ExclusiveHolder> holder;
    if (GetParam().reason == static_cast<int32_t>(SCARD_E_SHARING_VIOLATION)) {
        holder.emplace();
    }
    SimHandle h = nullptr;
    EXPECT_EQ(connect_sim(readerName().c_str(), &h, nullptr), 0);
    EXPECT_EQ(get_last_error(nullptr), GetParam().reason);
    // Started again, a connect that succeeds leaves nothing to report.
    holder.reset();
    sim().clearFaults();
    if (sim().cardPresent(0) == 1) {
        handle = connect();
        EXPECT_EQ(get_last_error(nullptr), kBrontelErrorNullHandle);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Exports, WhyConnectFailed,
    ::testing::Values(
        OpenFailure{"EmptyReader", [] { virtualSim().removeCard(0); },
                    static_cast<int32_t>(SCARD_E_NO_SMARTCARD)},
        OpenFailure{"HeldElsewhere", [] {}, static_cast<int32_t>(SCARD_E_SHARING_VIOLATION)},
        OpenFailure{"StatusAnsweredTechnicalProblem",
                    [] { virtualSim().addFault("A0F2=6F00"); }, kSimErrorTechnicalProblem}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Exports, AStoppedServiceIsNamedAndTheReadersReturnOnceItRunsAgain) {
    char16_t buffer[256] = {};
    uint32_t length = 256;
    ASSERT_EQ(enum_sim(0, buffer, &length), 1);
    EXPECT_EQ(get_last_error(nullptr), kBrontelErrorNullHandle);

    sim().setServiceRunning(0);
    length = 256;
    EXPECT_EQ(enum_sim(0, buffer, &length), 0);
    EXPECT_EQ(get_last_error(nullptr), static_cast<int32_t>(SCARD_E_NO_SERVICE));

    sim().setServiceRunning(1);
    length = 256;
    ASSERT_EQ(enum_sim(0, buffer, &length), 1);
    EXPECT_EQ(std::u16string(buffer), readerName());
    handle = connect();
}

TEST_F(Exports, AnEmptyReaderListIsNamed) {
    sim().removeReader(0);
    char16_t buffer[256] = {};
    uint32_t length = 256;
    EXPECT_EQ(enum_sim(0, buffer, &length), 0);
    EXPECT_EQ(get_last_error(nullptr), static_cast<int32_t>(SCARD_E_NO_READERS_AVAILABLE));
}

} // namespace
} // namespace brontel
