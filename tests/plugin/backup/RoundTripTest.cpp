// A full backup of the demo card restored onto a blank card of the same
// layout reproduces every record file a user can write.

#include "BackupCardFixture.h"
#include "UserRecordFiles.h"

namespace brontel::test {
namespace {

class RoundTrip : public BackupCard {};

TEST_F(RoundTrip, DemoCardOntoBlankCardGivesIdenticalUserRecordFiles) {
    use(cardProfile("demo"), true);
    ASSERT_EQ(backup(), 1) << lastError();

    const auto blank = folder / "blank.simcard";
    std::filesystem::copy_file(cardPath("blank"), blank);
    card.disconnect();
    insertSavedCard(blank);
    connect();
    ASSERT_EQ(card.verify_chv("1234", 1), 1);
    ASSERT_EQ(card.verify_chv("5678", 2), 1);
    ASSERT_EQ(restore(), 1) << lastError();
    saveCard();

    const auto expected = userRecordFiles(cardPath("demo"));
    const auto restored = userRecordFiles(blank);
    ASSERT_FALSE(expected.empty());
    ASSERT_EQ(restored.size(), expected.size());
    for (const auto& [path, records] : expected) {
        ASSERT_TRUE(restored.contains(path)) << path;
        EXPECT_EQ(restored.at(path), records) << path;
    }
}

} // namespace
} // namespace brontel::test
