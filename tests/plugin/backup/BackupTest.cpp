// backup_sim: sections, keys and values, the file lists, the callback, and an
// existing backup file.

#include "BackupCardFixture.h"

#include <gmock/gmock.h>

namespace brontel::test {
namespace {

using ::testing::AnyOf;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::Not;

class Backup : public BackupCard {};

TEST_F(Backup, DemoCardGivesOneSectionPerRecordFileInListOrder) {
    use(cardProfile("demo"));
    ASSERT_EQ(backup(), 1) << lastError();
    EXPECT_EQ(lastError(), 0);
    EXPECT_THAT(backupDocument().sectionNames(),
                ElementsAre(u"7F10 - 6F3A", u"7F10 - 6F3B", u"7F10 - 6F40", u"7F10 - 6F44",
                            u"7F10 - 6F49", u"7F10 - 6F4D", u"7F10 - 6F3C", u"7F10 - 6F4A",
                            u"7F10 - 6F4B", u"7F10 - 6F4C", u"7F10 - 6F4E", u"7F31 - 6F2A",
                            u"7F31 - 6F2B", u"7F31 - 6F2C", u"7F31 - 6F26"));
}

TEST_F(Backup, AdnOf250RecordsGivesKeys1To250Of58Characters) {
    use(cardProfile("demo"));
    ASSERT_EQ(backup(0x6F3A), 1);
    const auto document = backupDocument();
    EXPECT_THAT(document.keyNames(u"7F10 - 6F3A"), ElementsAreArray(keys(1, 250)));
    const auto adn = records(files::kTelecom, files::kAdn);
    for (int k = 1; k <= 250; ++k) {
        const std::u16string key = keys(k, k)[0];
        EXPECT_EQ(document.value(u"7F10 - 6F3A", key)->size(), 58u) << k;
        EXPECT_EQ(document.structValue(u"7F10 - 6F3A", key, 28), adn[k - 1]) << k;
    }
}

TEST_F(Backup, ValueIsTheRecordInHexFollowedByItsChecksum) {
    use(cardWith(
        {TestFile("7F10/6F3C", 2, 3).record(1, hex("41 42 FF")).record(2, hex("00 00 01"))}));
    ASSERT_EQ(backup(), 1);
    const auto document = backupDocument();
    EXPECT_EQ(document.value(u"7F10 - 6F3C", u"1"), u"4142FF82");
    EXPECT_EQ(document.value(u"7F10 - 6F3C", u"2"), u"00000101");
}

TEST_F(Backup, SelectionOfOneFileSavesOnlyItsSection) {
    use(cardProfile("demo"));
    ASSERT_EQ(backup(0x6F3A), 1);
    EXPECT_THAT(backupDocument().sectionNames(), ElementsAre(u"7F10 - 6F3A"));
    // Only the low 16 bits choose.
    ASSERT_EQ(backup(0x12346F3B), 1);
    EXPECT_THAT(backupDocument().sectionNames(), ElementsAre(u"7F10 - 6F3A", u"7F10 - 6F3B"));
}

TEST_F(Backup, SelectionZeroSavesTheIdenBook) {
    use(cardProfile("demo"));
    ASSERT_EQ(backup(0), 1);
    EXPECT_THAT(backupDocument().sectionNames(),
                ElementsAre(u"7F31 - 6F2A", u"7F31 - 6F2B", u"7F31 - 6F2C", u"7F31 - 6F26"));
}

TEST_F(Backup, CardWithoutIdenDirectorySkipsItSilently) {
    use(cardProfile("no-iden"));
    ASSERT_EQ(backup(), 1) << lastError();
    const auto sections = backupDocument().sectionNames();
    EXPECT_EQ(sections.size(), 11u);
    EXPECT_EQ(sections.back(), u"7F10 - 6F4E");
    EXPECT_EQ(lastError(), 0);
    for (const auto& call : calls) {
        EXPECT_THAT(call.file, Not(AnyOf(0x6F2A, 0x6F2B, 0x6F2C, 0x6F26)));
    }
}

TEST_F(Backup, SelectionOfAFileTheCardLacksReadsNothing) {
    use(cardProfile("demo"));
    EXPECT_EQ(backup(0x6F99), 0);
    EXPECT_EQ(lastError(), kSimErrorFileNotFound);
    EXPECT_THAT(calls, IsEmpty());
    EXPECT_FALSE(std::filesystem::exists(backupPath));
}

TEST_F(Backup, CallbackFollowsEveryRecordWithItsFileAndTheUserValue) {
    use(cardWith({TestFile("7F10/6F3A", 2), TestFile("7F10/6F44", 3).cyclic()}));
    ASSERT_EQ(backup(), 1);
    const intptr_t user = reinterpret_cast<intptr_t>(&calls);
    EXPECT_THAT(calls,
                ElementsAre(BackupCall{1, 2, 0x6F3A, 0, user}, BackupCall{2, 2, 0x6F3A, 0, user},
                            BackupCall{1, 3, 0x6F44, 0, user}, BackupCall{2, 3, 0x6F44, 0, user},
                            BackupCall{3, 3, 0x6F44, 0, user}));
}

TEST_F(Backup, ExistingFileKeepsWhatTheBackupDoesNotWrite) {
    writeBackup("; kept\r\n[Other]\r\nname=value\r\n\r\n[7F10 - 6F3A]\r\n1=00\r\n999=0101\r\n");
    use(cardWith({TestFile("7F10/6F3A", 2).record(1, padded(hex("41"), 28))}));
    ASSERT_EQ(backup(0x6F3A), 1);
    const auto document = backupDocument();
    EXPECT_THAT(document.sectionNames(), ElementsAre(u"Other", u"7F10 - 6F3A"));
    EXPECT_EQ(document.value(u"Other", u"name"), u"value");
    EXPECT_EQ(document.value(u"7F10 - 6F3A", u"999"), u"0101");
    EXPECT_EQ(document.structValue(u"7F10 - 6F3A", u"1", 28), padded(hex("41"), 28));
    EXPECT_EQ(document.structValue(u"7F10 - 6F3A", u"2", 28), padded({}, 28));
}

TEST_F(Backup, RefusesNullArgumentsWithoutTouchingTheCard) {
    use(cardProfile("demo"));
    const std::u16string path = backupPathText();
    EXPECT_EQ(backup_sim(nullptr, 0xFFFF, path.c_str(), nullptr, 0), 0);
    EXPECT_EQ(backup_sim(&card, 0xFFFF, nullptr, nullptr, 0), 0);
    EXPECT_EQ(backup_sim(&card, 0xFFFF, u"", nullptr, 0), 0);
    EXPECT_THAT(commands(), IsEmpty());
    // Without a callback the backup is the same.
    EXPECT_EQ(backup_sim(&card, 0x6F3A, path.c_str(), nullptr, 0), 1);
    EXPECT_EQ(backupDocument().keyNames(u"7F10 - 6F3A").size(), 250u);
}

} // namespace
} // namespace brontel::test
