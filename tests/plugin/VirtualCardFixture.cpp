#include "VirtualCardFixture.h"

#include "Brontel.h"
#include "CardFiles.h"

namespace brontel {

std::string VirtualCard::profile(const std::string& atr) {
    // CHV1 1234 (enabled), UNBLOCK CHV1 12345678, CHV2 5678, UNBLOCK CHV2
    // 87654321. EF ADN holds five 28-byte records, the first one "Alice"
    // +31 6 12345678 (TS 51.011 10.5.1).
    return "[Card]\nATR=" + atr + R"(
CHV1=1234
UnblockCHV1=12345678
CHV2=5678
UnblockCHV2=87654321
CHV1Enabled=1

[3F00]
Type=MF

[3F00/2FE2]
Type=EF
Structure=transparent
Size=10
Read=ALW
Update=NEV
Data=98137000000012345678

[3F00/7F10]
Type=DF

[3F00/7F10/6F3A]
Type=EF
Structure=linear fixed
RecordLength=28
Records=5
Read=CHV1
Update=CHV1
1=416C696365FFFFFFFFFFFFFFFFFF07911316325476F8FFFFFFFFFFFF

[3F00/7F10/6F3B]
Type=EF
Structure=linear fixed
RecordLength=28
Records=2
Read=CHV1
Update=CHV1
UpdateRetries=3

[3F00/7F10/6F3C]
Type=EF
Structure=linear fixed
RecordLength=176
Records=2
Read=CHV1
Update=CHV1
MemoryProblem=1
)";
}

void VirtualCard::SetUp() {
    ASSERT_NO_FATAL_FAILURE(useVirtualSim());
    ASSERT_TRUE(load_winscard());
    insert(profile());
    ASSERT_EQ(winscard.SCardEstablishContext(SCARD_SCOPE_USER, nullptr, nullptr, &context),
              SCARD_S_SUCCESS);
}

void VirtualCard::TearDown() {
    card.disconnect();
    if (winscard.SCardReleaseContext != nullptr) {
        winscard.SCardReleaseContext(context);
    }
    unload_winscard();
}

void VirtualCard::insert(const std::string& text) {
    insertCardText(0, text);
}

std::u16string VirtualCard::readerName(int reader) const {
    return virtualReaderName(reader);
}

void VirtualCard::connect() {
    ASSERT_EQ(card.connect(&context, readerName()), 1)
        << std::hex << static_cast<uint32_t>(card.pcsc_result());
}

void VirtualCard::selectAdn() {
    ASSERT_EQ(card.select(files::kMasterFile), 1);
    ASSERT_EQ(card.select(files::kTelecom), 1);
    ASSERT_EQ(card.select(files::kAdn), 1);
}

void VirtualCard::use(const std::string& profile, bool verifyPin2) {
    card.disconnect();
    insert(profile);
    connect();
    ASSERT_EQ(card.verify_chv("1234", 1), 1);
    if (verifyPin2) {
        ASSERT_EQ(card.verify_chv("5678", 2), 1);
    }
    clearTrace();
}

int VirtualCard::lastError() {
    return get_last_error(&card);
}

std::vector<std::vector<uint8_t>> VirtualCard::records(FileId directory, FileId ef) {
    std::vector<std::vector<uint8_t>> result;
    SimFileInfo info;
    if (!test::describeFile(card, directory, ef, info)) {
        ADD_FAILURE() << "cannot describe " << std::hex << ef.value;
        return result;
    }
    for (int record = 1; record <= info.recordCount(); ++record) {
        result.push_back(test::readRecord(card, static_cast<uint8_t>(record), info.recordLength));
    }
    return result;
}

std::vector<std::vector<uint8_t>> VirtualCard::commands() {
    return tracedCommands();
}

size_t VirtualCard::commandCount(uint8_t ins) {
    return tracedCommandCount(ins);
}

void VirtualCard::clearTrace() {
    sim().clearTrace();
}

void VirtualCard::addFault(const std::string& rules) {
    addVirtualFault(rules);
}

void VirtualCard::clearFaults() {
    sim().clearFaults();
}

} // namespace brontel
