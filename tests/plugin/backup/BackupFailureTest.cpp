// backup_sim when records cannot be read or the backup file cannot be
// written: nothing unread is saved, and the first failure is reported.

#include "BackupCardFixture.h"

#include <gmock/gmock.h>

#include <cerrno>

namespace brontel::test {
namespace {

using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

class BackupFailure : public BackupCard {
protected:
    std::vector<std::u16string> adnKeys() const {
        return backupDocument().keyNames(u"7F10 - 6F3A");
    }
};

TEST_F(BackupFailure, UnreadableRecordGetsNoKeyAndLosesTheOneItHad) {
    writeBackup("[7F10 - 6F3A]\r\n3=" + std::string(58, '0') + "\r\n");
    use(cardProfile("demo"));
    addFault("A0B2#3=9804");
    EXPECT_EQ(backup(0x6F3A), 0);
    EXPECT_EQ(lastError(), kSimErrorAccessNotFulfilled);
    auto expected = keys(1, 250);
    expected.erase(expected.begin() + 2);
    EXPECT_THAT(adnKeys(), ElementsAreArray(expected));
    // The records after it were still read and reported.
    EXPECT_EQ(calls.size(), 250u);
    EXPECT_EQ(calls[2].record, 3);
}

TEST_F(BackupFailure, FirstOfSeveralFailuresIsReported) {
    use(cardProfile("demo"));
    addFault("A0B2#2=9804;A0B2#5=6F00");
    EXPECT_EQ(backup(0x6F3A), 0);
    EXPECT_EQ(lastError(), kSimErrorAccessNotFulfilled);
    EXPECT_EQ(adnKeys().size(), 248u);
}

TEST_F(BackupFailure, RecordAnsweredShortIsNotSaved) {
    use(cardProfile("demo"));
    addFault("A0B2#4=short:3");
    EXPECT_EQ(backup(0x6F3A), 0);
    EXPECT_EQ(lastError(), kSimErrorWrongLength);
    auto expected = keys(1, 250);
    expected.erase(expected.begin() + 3);
    EXPECT_THAT(adnKeys(), ElementsAreArray(expected));
}

TEST_F(BackupFailure, WithoutPin1NoRecordIsSaved) {
    insert(cardProfile("demo"));
    connect();
    EXPECT_EQ(backup(0x6F3A), 0);
    EXPECT_EQ(lastError(), kSimErrorAccessNotFulfilled);
    EXPECT_THAT(adnKeys(), IsEmpty());
    EXPECT_EQ(calls.size(), 250u);
}

TEST_F(BackupFailure, CardPulledMidwayIsReported) {
    use(cardProfile("demo"));
    addFault("A0B2#100=pull");
    EXPECT_EQ(backup(), 0);
    EXPECT_EQ(static_cast<uint32_t>(lastError()), 0x80100016u);
    EXPECT_THAT(adnKeys(), ElementsAreArray(keys(1, 99)));
}

TEST_F(BackupFailure, FilesOnlyAnAdministratorMayReadAreNotAttempted) {
    use(cardWith({TestFile("7F10/6F3A", 2).readBy("ADM"), TestFile("7F10/6F3B", 2),
                  TestFile("7F10/6F40", 2).readBy("NEV")}));
    EXPECT_EQ(backup(), 1) << lastError();
    EXPECT_THAT(backupDocument().sectionNames(), ElementsAreArray({u"7F10 - 6F3B"}));
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].file, 0x6F3B);
}

TEST_F(BackupFailure, FileBeyond254RecordsIsReadUpToRecord254) {
    use(cardWith({TestFile("7F10/6F3C", 255, 2)}));
    EXPECT_EQ(backup(), 0);
    EXPECT_EQ(lastError(), kBrontelErrorValueDidNotFit);
    EXPECT_THAT(backupDocument().keyNames(u"7F10 - 6F3C"), ElementsAreArray(keys(1, 254)));
    ASSERT_EQ(calls.size(), 254u);
    EXPECT_EQ(calls.back().recordCount, 254);
    for (const auto& command : commands()) {
        EXPECT_FALSE(command[1] == 0xB2 && command[2] == 0xFF) << "record 255 was read";
    }
}

TEST_F(BackupFailure, UnreadableBackupFileIsNotReplaced) {
    std::filesystem::create_directory(backupPath);
    use(cardProfile("demo"));
    EXPECT_EQ(backup(0x6F3A), 0);
    EXPECT_EQ(lastError(), EISDIR);
    EXPECT_THAT(commands(), IsEmpty());
    EXPECT_TRUE(std::filesystem::is_directory(backupPath));
}

TEST_F(BackupFailure, BackupFileThatCannotBeWrittenIsReported) {
    backupPath = folder / "missing" / "card.bsf";
    use(cardProfile("demo"));
    EXPECT_EQ(backup(0x6F3A), 0);
    EXPECT_EQ(lastError(), ENOENT);
    EXPECT_EQ(calls.size(), 250u);
}

TEST_F(BackupFailure, CardFailureComesBeforeTheFileFailure) {
    backupPath = folder / "missing" / "card.bsf";
    use(cardProfile("demo"));
    addFault("A0B2#7=9804");
    EXPECT_EQ(backup(0x6F3A), 0);
    EXPECT_EQ(lastError(), kSimErrorAccessNotFulfilled);
}

} // namespace
} // namespace brontel::test
