#include "ExportsFixture.h"

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

namespace brontel {
namespace {

namespace fs = std::filesystem;

using PinCall = std::function<int(SimHandle)>;

struct PinCase {
    const char* name;
    const char* card; // test card name; empty for the demo card
    PinCall call;
    int result;
    int error;
};

void PrintTo(const PinCase& c, std::ostream* os) {
    *os << c.name;
}

class PinCommand : public Exports, public ::testing::WithParamInterface<PinCase> {};

TEST_P(PinCommand, AnswersAsTheCardSays) {
    const PinCase& c = GetParam();
    if (std::string(c.card).empty() == false) {
        insertFile(test::cardPath(c.card));
    }
    handle = connect();
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(c.call(handle), c.result);
    EXPECT_EQ(get_last_error(handle), c.error);
}

constexpr int kWrong = -9;
constexpr int kConflict = -10;
constexpr int kBlocked = -12;

INSTANTIATE_TEST_SUITE_P(
    Exports, PinCommand,
    ::testing::Values(
        PinCase{"VerifyPin1", "", [](SimHandle h) { return verify_pin1(h, u"1234"); }, 1, 0},
        PinCase{"VerifyPin1Wrong", "", [](SimHandle h) { return verify_pin1(h, u"4321"); }, 0,
                kWrong},
        PinCase{"VerifyPin1Blocked", "chv1-blocked",
                [](SimHandle h) { return verify_pin1(h, u"1234"); }, 0, kBlocked},
        PinCase{"VerifyPin2", "", [](SimHandle h) { return verify_pin2(h, u"5678"); }, 1, 0},
        PinCase{"VerifyPin2Wrong", "", [](SimHandle h) { return verify_pin2(h, u"1234"); }, 0,
                kWrong},
        PinCase{"VerifyPin2Blocked", "chv2-blocked",
                [](SimHandle h) { return verify_pin2(h, u"5678"); }, 0, kBlocked},
        PinCase{
            "ChangePin1", "",
            [](SimHandle h) { return change_pin1(h, u"1234", u"9876") + verify_pin1(h, u"9876"); },
            2, 0},
        PinCase{"ChangePin1Wrong", "", [](SimHandle h) { return change_pin1(h, u"0000", u"9876"); },
                0, kWrong},
        PinCase{
            "ChangePin2", "",
            [](SimHandle h) { return change_pin2(h, u"5678", u"2468") + verify_pin2(h, u"2468"); },
            2, 0},
        PinCase{"ChangePin2Wrong", "", [](SimHandle h) { return change_pin2(h, u"0000", u"2468"); },
                0, kWrong},
        PinCase{"UnblockBlockedPin1", "chv1-blocked",
                [](SimHandle h) {
                    return unblock_pin1(h, u"12345678", u"1111") + verify_pin1(h, u"1111");
                },
                2, 0},
        PinCase{"UnblockPin1WrongKey", "chv1-blocked",
                [](SimHandle h) { return unblock_pin1(h, u"11111111", u"1111"); }, 0, kWrong},
        PinCase{"UnblockBlockedPin2", "chv2-blocked",
                [](SimHandle h) {
                    return unblock_pin2(h, u"87654321", u"2222") + verify_pin2(h, u"2222");
                },
                2, 0},
        PinCase{"UnblockPin2WrongKey", "chv2-blocked",
                [](SimHandle h) { return unblock_pin2(h, u"11111111", u"2222"); }, 0, kWrong},
        PinCase{"EnableEnabledPin1", "", [](SimHandle h) { return enable_pin1(h, u"1234"); }, 0,
                kConflict},
        PinCase{"EnableDisabledPin1", "chv1-disabled",
                [](SimHandle h) { return enable_pin1(h, u"1234"); }, 1, 0},
        PinCase{"DisablePin1", "",
                [](SimHandle h) {
                    SimInfo info{};
                    return disable_pin1(h, u"1234") + get_sim_info(h, &info) + info.pin1Enabled;
                },
                2, 0},
        PinCase{"DisablePin1Wrong", "", [](SimHandle h) { return disable_pin1(h, u"0000"); }, 0,
                kWrong},
        PinCase{"DisableDisabledPin1", "chv1-disabled",
                [](SimHandle h) { return disable_pin1(h, u"1234"); }, 0, kConflict},
        PinCase{"NullPinIsAnEmptyCode", "", [](SimHandle h) { return verify_pin1(h, nullptr); }, 0,
                kWrong}),
    [](const auto& info) { return std::string(info.param.name); });

// The last command the virtual SIM received.
std::vector<uint8_t> lastCommand() {
    using TraceSize = decltype(&virtualsim_trace_size);
    using TraceEntry = decltype(&virtualsim_trace_entry);
    void* library = dlopen(VIRTUALSIM_PATH, RTLD_NOW | RTLD_LOCAL);
    const auto size = reinterpret_cast<TraceSize>(dlsym(library, "virtualsim_trace_size"));
    const auto entry = reinterpret_cast<TraceEntry>(dlsym(library, "virtualsim_trace_entry"));
    VirtualSimApdu apdu{};
    const size_t count = size();
    if (count == 0 || entry(count - 1, &apdu) != 0) {
        return {};
    }
    dlclose(library);
    return {apdu.command, apdu.command + std::min<size_t>(apdu.commandLength, 261)};
}

TEST_F(Exports, ANineCharacterPinIsSentAsItsFirstEight) {
    handle = connect();
    EXPECT_EQ(verify_pin1(handle, u"123456789"), 0);
    EXPECT_EQ(lastCommand(), (std::vector<uint8_t>{0xA0, 0x20, 0x00, 0x01, 0x08, '1', '2', '3', '4',
                                                   '5', '6', '7', '8'}));
    EXPECT_EQ(verify_pin1(handle, u"1234"), 1);
    EXPECT_EQ(lastCommand(), (std::vector<uint8_t>{0xA0, 0x20, 0x00, 0x01, 0x08, '1', '2', '3', '4',
                                                   0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(Exports, PinTextGoesOutInTheAnsiCodePage) {
    handle = connect();
    // U+00E9 is one byte in the default code page; characters it cannot hold become '?'.
    EXPECT_EQ(change_pin2(handle, u"5678", u"\u00E9\u4E00"), 1);
    const std::vector<uint8_t> command = lastCommand();
    ASSERT_EQ(command.size(), 21u);
    EXPECT_EQ(command[13], 0xE9);
    EXPECT_EQ(command[14], '?');
    EXPECT_EQ(command[15], 0xFF);
}

// With the log at its most detailed level, no PIN reaches it.
class PinLog : public Exports {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/brontel-pins-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_root = pattern;
        std::ofstream(m_root / "asd.log") << "3\r\n";
        setenv("PELMORA_LOG_ROOTS", m_root.c_str(), 1);
        Exports::SetUp();
    }
    void TearDown() override {
        Exports::TearDown();
        fs::remove_all(m_root);
    }
    std::string logText() const {
        std::ifstream in(m_root / "asd.log", std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }

    fs::path m_root;
};

TEST_F(PinLog, NoPinBytesAppearInTheLog) {
    handle = connect();
    verify_pin1(handle, u"73915");
    change_pin1(handle, u"1234", u"82640");
    change_pin2(handle, u"5678", u"64072");
    unblock_pin2(handle, u"87654321", u"53186");
    disable_pin1(handle, u"82640");
    const std::string log = logText();
    ASSERT_NE(log.find("SIMCard::select"), std::string::npos) << "the log was not written";
    for (const char* secret :
         {"73915", "82640", "64072", "53186", "87654321", "37 33 39 31 35", "3733393135"}) {
        EXPECT_EQ(log.find(secret), std::string::npos) << secret;
    }
}

} // namespace
} // namespace brontel
