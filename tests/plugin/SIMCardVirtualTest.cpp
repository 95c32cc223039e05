// SIMCard against the virtual SIM through libvirtualsim.so, loaded by the real
// binding: every command, the status-word table, and the connection's life.
#include "CardFiles.h"
#include "VirtualCardFixture.h"

#include <vector>

namespace brontel {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint8_t kChv1 = 1;
constexpr uint8_t kChv2 = 2;

const Bytes kAlice{0x41, 0x6C, 0x69, 0x63, 0x65, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                   0xFF, 0xFF, 0xFF, 0xFF, 0x07, 0x91, 0x13, 0x16, 0x32, 0x54,
                   0x76, 0xF8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

// ---- Files and their descriptions ----------------------------------------

TEST_F(VirtualCard, SelectAnnouncesTheDescriptionThatGetResponseParses) {
    connect();
    SimFileInfo info;
    ASSERT_EQ(card.select(files::kMasterFile, &info.length), 1);
    ASSERT_EQ(card.status(&info, 0), 1);
    EXPECT_EQ(info.fileId, 0x3F00);
    EXPECT_EQ(info.fileType, kFileTypeMf);
    EXPECT_EQ(info.dfCount, 1);
    EXPECT_EQ(info.efCount, 1);
    EXPECT_EQ(info.chv1Disabled, 0);
    EXPECT_EQ(info.chv1Attempts, 3);
    EXPECT_EQ(info.unblockChv1Attempts, 10);
    EXPECT_EQ(info.chv2Attempts, 3);
    EXPECT_EQ(info.unblockChv2Attempts, 10);

    ASSERT_EQ(card.select(files::kTelecom, &info.length), 1);
    ASSERT_EQ(card.select(files::kAdn, &info.length), 1);
    ASSERT_EQ(card.status(&info, 0), 1);
    EXPECT_EQ(info.fileId, 0x6F3A);
    EXPECT_EQ(info.fileType, kFileTypeEf);
    EXPECT_EQ(info.structure, kLinearFixed);
    EXPECT_EQ(info.fileSize, 140);
    EXPECT_EQ(info.recordLength, 28);
    EXPECT_EQ(info.recordCount(), 5);
    EXPECT_EQ(info.readCondition, 1);
    EXPECT_EQ(info.updateCondition, 1);
    EXPECT_EQ(info.invalidated, 0);
}

TEST_F(VirtualCard, StatusDescribesTheCurrentDirectory) {
    connect();
    SimFileInfo info;
    ASSERT_EQ(card.select(files::kMasterFile), 1);
    ASSERT_EQ(card.select(files::kTelecom, &info.length), 1);
    ASSERT_EQ(card.status(&info, 1), 1);
    EXPECT_EQ(info.fileId, 0x7F10);
    EXPECT_EQ(info.fileType, kFileTypeDf);
    EXPECT_EQ(info.efCount, 3);
}

TEST_F(VirtualCard, GetResponseHandsOutTheShape) {
    connect();
    SimFileInfo info;
    ASSERT_EQ(card.select(files::kMasterFile), 1);
    ASSERT_EQ(card.select(files::kTelecom), 1);
    ASSERT_EQ(card.select(files::kAdn, &info.length), 1);
    ASSERT_EQ(card.get_response(static_cast<uint8_t>(info.length), &info), 1);
    EXPECT_EQ(info.fileType, kFileTypeEf);
    EXPECT_EQ(info.fileSize, 140);
    EXPECT_EQ(info.recordLength, 28);
    EXPECT_EQ(info.structure, kLinearFixed);
}

TEST_F(VirtualCard, SelectOfAMissingFileStillHandsOutSw2) {
    connect();
    uint16_t length = 0;
    EXPECT_EQ(card.select(FileId{0x6F99}, &length), 0);
    EXPECT_EQ(card.sim_error(), -6);
    EXPECT_EQ(length, 0x04);
}

// ---- Records and binary data ---------------------------------------------

TEST_F(VirtualCard, ReadRecordNeedsChv1AndCopiesTheRecord) {
    connect();
    selectAdn();
    Bytes record(28);
    EXPECT_EQ(card.read_record(1, 28, SIMCard::kModeAbsolute, record), 0);
    EXPECT_EQ(card.sim_error(), -9);

    ASSERT_EQ(card.verify_chv("1234", kChv1), 1);
    EXPECT_EQ(test::readRecord(card, 1, 28), kAlice);
    EXPECT_EQ(test::readRecord(card, 2, 28), Bytes(28, 0xFF));
}

TEST_F(VirtualCard, ReadRecordWithTheWrongLengthFails) {
    connect();
    selectAdn();
    ASSERT_EQ(card.verify_chv("1234", kChv1), 1);
    Bytes record(10);
    EXPECT_EQ(card.read_record(1, 10, SIMCard::kModeAbsolute, record), 0);
    EXPECT_EQ(card.sim_error(), -14);
    Bytes full(28);
    EXPECT_EQ(card.read_record(6, 28, SIMCard::kModeAbsolute, full), 0);
    EXPECT_EQ(card.sim_error(), -5);
}

TEST_F(VirtualCard, UpdateRecordIsReadBack) {
    connect();
    selectAdn();
    ASSERT_EQ(card.verify_chv("1234", kChv1), 1);
    Bytes written = kAlice;
    written[0] = 'B';
    ASSERT_EQ(card.update_record(3, 28, SIMCard::kModeAbsolute, written), 1);
    EXPECT_EQ(test::readRecord(card, 3, 28), written);
}

TEST_F(VirtualCard, UpdateAfterInternalRetriesCountsAsFailure) {
    connect();
    ASSERT_EQ(card.verify_chv("1234", kChv1), 1);
    ASSERT_EQ(card.select(files::kTelecom), 1);
    ASSERT_EQ(card.select(files::kFdn), 1);
    EXPECT_EQ(card.update_record(1, 28, SIMCard::kModeAbsolute, kAlice), 0);
    EXPECT_EQ(card.sim_error(), -3);
    EXPECT_EQ(test::readRecord(card, 1, 28), kAlice);
}

TEST_F(VirtualCard, MemoryProblem) {
    connect();
    ASSERT_EQ(card.verify_chv("1234", kChv1), 1);
    ASSERT_EQ(card.select(files::kTelecom), 1);
    ASSERT_EQ(card.select(files::kSms), 1);
    EXPECT_EQ(card.update_record(1, 176, SIMCard::kModeAbsolute, Bytes(176, 0)), 0);
    EXPECT_EQ(card.sim_error(), -2);
}

TEST_F(VirtualCard, ReadBinaryCopiesWhatWasReceived) {
    connect();
    ASSERT_EQ(card.select(files::kIccid), 1);
    Bytes all(10);
    ASSERT_EQ(card.read_binary(0, all, 10), 1);
    EXPECT_EQ(all, (Bytes{0x98, 0x13, 0x70, 0x00, 0x00, 0x00, 0x12, 0x34, 0x56, 0x78}));
    Bytes part(10, 0xEE);
    ASSERT_EQ(card.read_binary(6, part, 4), 1);
    EXPECT_EQ(part, (Bytes{0x12, 0x34, 0x56, 0x78, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE}));
    EXPECT_EQ(card.read_binary(8, part, 4), 0);
    EXPECT_NE(card.sim_error(), 0);
}

// ---- Secret codes --------------------------------------------------------

TEST_F(VirtualCard, WrongChv1CountsDownToBlockedAndTheUnblockingKeyFreesIt) {
    connect();
    EXPECT_EQ(card.verify_chv("0000", kChv1), 0);
    EXPECT_EQ(card.sim_error(), -9);
    EXPECT_EQ(card.verify_chv("0000", kChv1), 0);
    EXPECT_EQ(card.sim_error(), -9);
    EXPECT_EQ(card.verify_chv("0000", kChv1), 0);
    EXPECT_EQ(card.sim_error(), -12);
    EXPECT_EQ(card.verify_chv("1234", kChv1), 0);
    EXPECT_EQ(card.sim_error(), -12);

    ASSERT_EQ(card.unblock_chv("12345678", "4321", 0x00), 1);
    EXPECT_EQ(card.verify_chv("4321", kChv1), 1);
    EXPECT_EQ(card.sim_error(), 0);
}

TEST_F(VirtualCard, Chv2IsUnblockedWithP2Two) {
    connect();
    for (int i = 0; i < 3; ++i) {
        card.verify_chv("0000", kChv2);
    }
    EXPECT_EQ(card.sim_error(), -12);
    ASSERT_EQ(card.unblock_chv("87654321", "8765", 0x02), 1);
    EXPECT_EQ(card.verify_chv("8765", kChv2), 1);
}

TEST_F(VirtualCard, ChangeDisableAndEnableChv1) {
    connect();
    ASSERT_EQ(card.change_chv("1234", "24680000", kChv1), 1);
    EXPECT_EQ(card.verify_chv("1234", kChv1), 0);
    ASSERT_EQ(card.verify_chv("2468000099", kChv1), 1); // cut to eight characters

    ASSERT_EQ(card.disable_chv1("24680000"), 1);
    EXPECT_EQ(card.verify_chv("24680000", kChv1), 0);
    EXPECT_EQ(card.sim_error(), -10);
    ASSERT_EQ(card.enable_chv1("24680000"), 1);
    EXPECT_EQ(card.enable_chv1("24680000"), 0);
    EXPECT_EQ(card.sim_error(), -10);
}

// ---- The status-word table, with words a faithful card never sends --------

struct InjectedWord {
    const char* word;
    int success;
    int32_t simError;
    friend void PrintTo(const InjectedWord& w, std::ostream* os) { *os << w.word; }
};

class InjectedStatusWord : public VirtualCard,
                           public ::testing::WithParamInterface<InjectedWord> {};

TEST_P(InjectedStatusWord, IsJudgedByTheTable) {
    connect();
    ASSERT_EQ(sim().addFault((std::string("A0A4#1=") + GetParam().word).c_str()), 0)
        << sim().lastError();
    uint16_t length = 0;
    EXPECT_EQ(card.select(files::kMasterFile, &length), GetParam().success);
    EXPECT_EQ(card.sim_error(), GetParam().simError);
    EXPECT_EQ(card.pcsc_result(), 0);
    EXPECT_EQ(length, std::stoi(std::string(GetParam().word).substr(2), nullptr, 16));
}

INSTANTIATE_TEST_SUITE_P(
    EveryRow, InjectedStatusWord,
    ::testing::Values(
        InjectedWord{"9000", 1, 0}, InjectedWord{"9001", 0, 0}, InjectedWord{"9E00", 1, 0},
        InjectedWord{"9E01", 0, 0}, InjectedWord{"9110", 1, 0}, InjectedWord{"9F16", 1, 0},
        InjectedWord{"9240", 0, -2}, InjectedWord{"9205", 0, -3}, InjectedWord{"9210", 1, 0},
        InjectedWord{"9300", 0, 0}, InjectedWord{"9301", 1, 0}, InjectedWord{"9400", 0, -4},
        InjectedWord{"9402", 0, -5}, InjectedWord{"9404", 0, -6}, InjectedWord{"9408", 0, -7},
        InjectedWord{"9401", 1, 0}, InjectedWord{"9802", 0, -8}, InjectedWord{"9804", 0, -9},
        InjectedWord{"9808", 0, -10}, InjectedWord{"9810", 0, -11}, InjectedWord{"9840", 0, -12},
        InjectedWord{"9850", 0, -13}, InjectedWord{"9801", 1, 0}, InjectedWord{"6700", 0, -14},
        InjectedWord{"6B00", 0, -15}, InjectedWord{"6D00", 0, -16}, InjectedWord{"6E00", 0, -17},
        InjectedWord{"6F00", 0, -18}, InjectedWord{"6110", 0, 0}, InjectedWord{"6C1C", 0, 0}),
    [](const auto& info) { return std::string(info.param.word); });

// ---- The connection ------------------------------------------------------

TEST_F(VirtualCard, ConnectReadsReaderNameAndAtr) {
    ASSERT_EQ(sim().renameReader(0, "Lecteur à puce Ω"), 0);
    connect();
    EXPECT_EQ(card.reader_name(), u"Lecteur à puce Ω");
    EXPECT_EQ(card.atr_text(), u"3B021450");
}

TEST_F(VirtualCard, LongestAtrGivesSixtySixCharacters) {
    // TS 3B, T0 FF, four groups of interface bytes offering only T=0, and 15
    // historical bytes: 33 bytes.
    insert(profile("3B FF 95 00 00 F0 00 00 0A F0 00 00 00 F0 00 00 00 00 "
                   "80 31 C0 73 D6 31 C0 23 2A 01 02 03 04 05 06"));
    connect();
    EXPECT_EQ(card.atr().size(), 33u);
    EXPECT_EQ(card.atr_text(), u"3BFF950000F000000AF0000000F000000000"
                               u"8031C073D631C0232A010203040506");
}

TEST_F(VirtualCard, CardHeldExclusivelyElsewhereConnectsAfterRelease) {
    SIMCard other;
    ASSERT_EQ(other.connect(&context, readerName()), 1);
    EXPECT_EQ(card.connect(&context, readerName()), 0);
    EXPECT_EQ(static_cast<uint32_t>(card.pcsc_result()), 0x8010000Bu);
    ASSERT_EQ(other.disconnect(), 1);
    EXPECT_EQ(card.connect(&context, readerName()), 1);
}

TEST_F(VirtualCard, ReaderWithoutCard) {
    sim().removeCard(0);
    EXPECT_EQ(card.connect(&context, readerName()), 0);
    EXPECT_EQ(static_cast<uint32_t>(card.pcsc_result()), 0x8010000Cu);
}

TEST_F(VirtualCard, CardPulledMidCommandIsNotRetried) {
    connect();
    const size_t before = sim().apduCount(-1);
    ASSERT_EQ(sim().pullCard(0), 0);
    EXPECT_EQ(card.select(files::kMasterFile), 0);
    EXPECT_EQ(static_cast<uint32_t>(card.pcsc_result()), 0x80100016u);
    EXPECT_EQ(card.sim_error(), 0);
    EXPECT_LE(sim().apduCount(-1), before + 1);
    EXPECT_EQ(card.select(files::kMasterFile), 0);
    EXPECT_EQ(static_cast<uint32_t>(card.pcsc_result()), 0x80100069u);
}

TEST_F(VirtualCard, DisconnectWithoutConnection) {
    EXPECT_EQ(card.disconnect(), 0);
    EXPECT_EQ(static_cast<uint32_t>(card.pcsc_result()), 0x8010001Fu);
    connect();
    EXPECT_EQ(card.disconnect(), 1);
    EXPECT_EQ(card.disconnect(), 0);
}

// Mode 1: old contexts refused everywhere; mode 0: as pcsc-lite sees a
// restart, the old context passes the validity check but nothing else.
class ServiceRestart : public VirtualCard, public ::testing::WithParamInterface<int> {};

TEST_P(ServiceRestart, NextConnectEstablishesAFreshContext) {
    connect();
    const SCARDCONTEXT old = context;
    sim().restartService(GetParam());
    EXPECT_EQ(card.select(files::kMasterFile), 0);
    connect();
    EXPECT_NE(context, old);
    EXPECT_EQ(card.select(files::kMasterFile), 1);
}

INSTANTIATE_TEST_SUITE_P(BothModes, ServiceRestart, ::testing::Values(0, 1));

} // namespace
} // namespace brontel
