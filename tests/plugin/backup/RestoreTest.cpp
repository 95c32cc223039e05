// restore_sim: records written back with the card's length and count, in the
// order each file structure needs, and only where a stored value exists.

#include "BackupCardFixture.h"

#include <gmock/gmock.h>

namespace brontel::test {
namespace {

using ::testing::Each;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

class Restore : public BackupCard {
protected:
    // UPDATE RECORD commands sent since the trace was cleared.
    static std::vector<Bytes> updates() {
        std::vector<Bytes> result;
        for (auto& command : commands()) {
            if (command.size() >= 5 && command[1] == 0xDC) {
                result.push_back(std::move(command));
            }
        }
        return result;
    }
    // The file that each UPDATE RECORD went to: the id of the SELECT before it.
    static std::vector<int> updatedFiles() {
        std::vector<int> result;
        int selected = 0;
        for (const auto& command : commands()) {
            if (command.size() >= 7 && command[1] == 0xA4) {
                selected = command[5] << 8 | command[6];
            } else if (command.size() >= 5 && command[1] == 0xDC) {
                result.push_back(selected);
            }
        }
        return result;
    }
    static Bytes ff(size_t length) { return Bytes(length, 0xFF); }
};

// Each record of an ADN with a number part made to the card's record length
// (alpha identifier cut or FF-padded at its end).
std::vector<Bytes> refitted(const std::vector<Bytes>& stored, size_t length) {
    std::vector<Bytes> result;
    for (const Bytes& record : stored) {
        const size_t alpha = record.size() - 14;
        Bytes fitted(record.begin(),
                     record.begin() + static_cast<long>(std::min(alpha, length - 14)));
        fitted.resize(length - 14, 0xFF);
        fitted.insert(fitted.end(), record.end() - 14, record.end());
        result.push_back(fitted);
    }
    return result;
}

class RestoreOtherLength : public Restore, public ::testing::WithParamInterface<const char*> {};

TEST_P(RestoreOtherLength, Adn30KeepsEachRecordsNumberPart) {
    use(cardProfile("adn-30"));
    ASSERT_EQ(backup(0x6F3A), 1);
    const auto saved = records(files::kTelecom, files::kAdn);
    use(cardProfile(GetParam()));
    const size_t length = records(files::kTelecom, files::kAdn).front().size();
    clearTrace();
    ASSERT_EQ(restore(), 1) << lastError();
    EXPECT_EQ(records(files::kTelecom, files::kAdn), refitted(saved, length));
}

// blank: the demo layout, 28-byte ADN records.
INSTANTIATE_TEST_SUITE_P(Cards, RestoreOtherLength, ::testing::Values("blank", "adn-32"));

TEST_F(Restore, CyclicFileIsWrittenFromItsHighestRecordDown) {
    use(cardProfile("demo"));
    ASSERT_EQ(backup(0x6F44), 1);
    const auto saved = records(files::kTelecom, files::kLnd);
    use(cardProfile("blank"));
    ASSERT_EQ(restore(), 1) << lastError();
    const auto sent = updates();
    ASSERT_EQ(sent.size(), 10u);
    for (size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(sent[i][2], 10 - i) << "P1 of update " << i;
        EXPECT_EQ(sent[i][3], SIMCard::kModePrevious);
        EXPECT_EQ(Bytes(sent[i].begin() + 5, sent[i].end()), saved[9 - i]);
    }
    EXPECT_EQ(records(files::kTelecom, files::kLnd), saved);
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].record, static_cast<int>(10 - i));
    }
}

TEST_F(Restore, BackupOfOneFileTouchesOnlyThatFile) {
    use(cardProfile("demo"));
    ASSERT_EQ(backup(0x6F3A), 1);
    const auto saved = records(files::kTelecom, files::kAdn);
    use(cardProfile("blank"), true);
    ASSERT_EQ(restore(), 1) << lastError();
    EXPECT_THAT(updatedFiles(), Each(0x6F3A));
    EXPECT_EQ(updates().size(), 250u);
    EXPECT_EQ(records(files::kTelecom, files::kAdn), saved);
    EXPECT_THAT(records(files::kTelecom, files::kFdn), Each(ff(28)));
}

TEST_F(Restore, ValueWithAnEditedChecksumIsNotWritten) {
    const std::string record = std::string(28 * 2, 'F');
    // 41 and 27 x FF sum to 0x26; the second value claims 25.
    writeBackup("[7F10 - 6F3A]\r\n1=41" + record.substr(2) + "26\r\n2=41" + record.substr(2) +
                "25\r\n3=41" + record.substr(2) + "26\r\n");
    use(cardProfile("blank"));
    EXPECT_EQ(restore(), 0);
    EXPECT_EQ(lastError(), kBrontelErrorValueDidNotFit);
    const auto adn = records(files::kTelecom, files::kAdn);
    EXPECT_EQ(adn[0], padded(hex("41"), 28));
    EXPECT_EQ(adn[1], ff(28));
    EXPECT_EQ(adn[2], padded(hex("41"), 28));
    EXPECT_EQ(updates().size(), 2u);
}

TEST_F(Restore, RecordsWithoutAValueStayAsTheyAre) {
    use(cardProfile("demo"));
    const auto before = records(files::kTelecom, files::kAdn);
    writeBackup("[7F10 - 6F3A]\r\n2=" + std::string(56, 'F') + "E4\r\n7=\r\n");
    clearTrace();
    ASSERT_EQ(restore(), 1) << lastError();
    auto expected = before;
    expected[1] = ff(28);
    EXPECT_EQ(records(files::kTelecom, files::kAdn), expected);
    // Every record of the file is reported, written or not.
    ASSERT_EQ(calls.size(), 250u);
    EXPECT_EQ(calls.front().record, 1);
    EXPECT_EQ(calls.back().record, 250);
    EXPECT_EQ(calls.back().recordCount, 250);
}

TEST_F(Restore, OtherFilesAreCutOrPaddedWithFf) {
    writeBackup("[7F31 - 6F26]\r\n1=" + std::string(60, '0') + "00\r\n2=" + std::string(68, '1') +
                "42\r\n");
    use(cardProfile("blank"));
    ASSERT_EQ(restore(), 1) << lastError();
    const auto email = records(files::kIden, files::kIdenEmail);
    EXPECT_EQ(email[0], padded(Bytes(30, 0x00), 32));
    EXPECT_EQ(email[1], Bytes(32, 0x11));
}

TEST_F(Restore, FdnNeedsPin2) {
    use(cardProfile("demo"));
    ASSERT_EQ(backup(0x6F3B), 1);
    const auto saved = records(files::kTelecom, files::kFdn);

    use(cardProfile("blank"));
    EXPECT_EQ(restore(), 0);
    EXPECT_EQ(lastError(), kSimErrorAccessNotFulfilled);
    EXPECT_EQ(calls.size(), 10u);
    EXPECT_THAT(records(files::kTelecom, files::kFdn), Each(ff(28)));

    ASSERT_EQ(card.verify_chv("5678", 2), 1);
    EXPECT_EQ(restore(), 1) << lastError();
    EXPECT_EQ(records(files::kTelecom, files::kFdn), saved);
}

TEST_F(Restore, FilesOnlyAnAdministratorMayUpdateAreNotAttempted) {
    use(cardProfile("demo"));
    ASSERT_EQ(backup(), 1);
    ASSERT_TRUE(backupDocument().hasSection(u"7F10 - 6F49"));
    use(cardProfile("blank"), true);
    ASSERT_EQ(restore(), 1) << lastError();
    for (const auto& call : calls) {
        EXPECT_NE(call.file, 0x6F49);
    }
    EXPECT_THAT(updatedFiles(), Each(::testing::Ne(0x6F49)));
}

TEST_F(Restore, BackupWithoutRecordValuesWritesNothing) {
    writeBackup("[7F10 - 6F3A]\r\n; no records\r\n[Other]\r\n1=00\r\n");
    use(cardProfile("blank"));
    EXPECT_EQ(restore(), 0);
    EXPECT_THAT(calls, IsEmpty());
    EXPECT_THAT(updates(), IsEmpty());
}

TEST_F(Restore, RefusesNullArgumentsAndMissingFilesWithoutTouchingTheCard) {
    use(cardProfile("blank"));
    const std::u16string path = backupPathText();
    EXPECT_EQ(restore_sim(nullptr, path.c_str(), nullptr, 0), 0);
    EXPECT_EQ(restore_sim(&card, nullptr, nullptr, 0), 0);
    EXPECT_EQ(restore_sim(&card, u"", nullptr, 0), 0);
    EXPECT_EQ(restore(), 0);
    EXPECT_EQ(lastError(), ENOENT);
    EXPECT_THAT(commands(), IsEmpty());
    EXPECT_THAT(calls, IsEmpty());
}

} // namespace
} // namespace brontel::test
