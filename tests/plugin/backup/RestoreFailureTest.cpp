// restore_sim when records cannot be written or stored values cannot be used:
// the rest is still written, and the first failure is reported.

#include "BackupCardFixture.h"

#include <gmock/gmock.h>

namespace brontel::test {
namespace {

using ::testing::Each;

class RestoreFailure : public BackupCard {
protected:
    // A backup of the demo card's ADN.
    void backUpDemoAdn() {
        use(cardProfile("demo"));
        ASSERT_EQ(backup(0x6F3A), 1);
        saved = records(files::kTelecom, files::kAdn);
    }
    // A section of the given values, each stored with its checksum.
    void writeValues(std::u16string_view section, const std::map<int, Bytes>& values) {
        pelmora::platform::ProfileDocument document;
        for (const auto& [record, bytes] : values) {
            document.setStructValue(section, keys(record, record)[0], bytes);
        }
        ASSERT_FALSE(document.save(backupPath).has_value());
    }

    std::vector<Bytes> saved;
};

TEST_F(RestoreFailure, RefusedUpdateIsReportedAndTheRestIsWritten) {
    backUpDemoAdn();
    use(cardProfile("blank"));
    addFault("A0DC#2=9240;A0DC#4=9804");
    EXPECT_EQ(restore(), 0);
    EXPECT_EQ(lastError(), kSimErrorMemoryProblem);
    auto expected = saved;
    expected[1] = Bytes(28, 0xFF);
    expected[3] = Bytes(28, 0xFF);
    EXPECT_EQ(records(files::kTelecom, files::kAdn), expected);
    EXPECT_EQ(calls.size(), 250u);
}

TEST_F(RestoreFailure, ValueBeyondTheRecordBufferIsNotWritten) {
    use(cardProfile("blank"));
    writeValues(u"7F10 - 6F3C", {{1, Bytes(257, 0x01)}, {2, Bytes(256, 0x02)}});
    EXPECT_EQ(restore(), 0);
    EXPECT_EQ(lastError(), kBrontelErrorValueDidNotFit);
    const auto sms = records(files::kTelecom, files::kSms);
    EXPECT_EQ(sms[0], Bytes(176, 0xFF));
    EXPECT_EQ(sms[1], Bytes(176, 0x02));
}

TEST_F(RestoreFailure, AdnValueWithoutANumberPartIsNotWritten) {
    use(cardProfile("blank"));
    writeValues(u"7F10 - 6F3A", {{1, hex("41 42 43")}, {2, padded(hex("41"), 28)}});
    EXPECT_EQ(restore(), 0);
    EXPECT_EQ(lastError(), kBrontelErrorValueDidNotFit);
    const auto adn = records(files::kTelecom, files::kAdn);
    EXPECT_EQ(adn[0], Bytes(28, 0xFF));
    EXPECT_EQ(adn[1], padded(hex("41"), 28));
}

TEST_F(RestoreFailure, FileBeyond254RecordsIsWrittenUpToRecord254) {
    use(cardWith({TestFile("7F10/6F3C", 255, 2)}));
    std::map<int, Bytes> values;
    for (int k = 1; k <= 255; ++k) {
        values[k] = {0x00, static_cast<uint8_t>(k)};
    }
    writeValues(u"7F10 - 6F3C", values);
    EXPECT_EQ(restore(), 0);
    EXPECT_EQ(lastError(), kBrontelErrorValueDidNotFit);
    const auto sms = records(files::kTelecom, files::kSms);
    EXPECT_EQ(sms[253], (Bytes{0x00, 254}));
    EXPECT_EQ(sms[254], (Bytes{0xFF, 0xFF}));
    EXPECT_EQ(calls.size(), 254u);
}

TEST_F(RestoreFailure, UnreadableBackupFileTouchesNoCard) {
    std::filesystem::create_directory(backupPath);
    use(cardProfile("blank"));
    EXPECT_EQ(restore(), 0);
    EXPECT_EQ(lastError(), EISDIR);
    EXPECT_TRUE(commands().empty());
}

} // namespace
} // namespace brontel::test
