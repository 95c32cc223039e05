// backup and restore: the demo card's records onto a blank card, and the
// failures that leave files and cards alone.

#include "CliRunner.h"

namespace pelmora::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// The blank card with every record file open to PIN1.
std::string blankCardOpenToPin1() {
    const std::vector<uint8_t> bytes = readBytes(testCard("blank"));
    std::string profile(bytes.begin(), bytes.end());
    for (const std::string condition : {"Update=ADM", "Update=CHV2"}) {
        for (size_t at = profile.find(condition); at != std::string::npos;
             at = profile.find(condition, at)) {
            profile.replace(at, condition.size(), "Update=CHV1");
        }
    }
    return profile;
}

TEST_F(CliTest, BackupOfTheDemoCardRestoredOntoABlankCard) {
    const std::string backup = path("demo.bsf");
    const CliResult saved = run({"backup", "--pin-stdin", backup}, "1234\n");
    ASSERT_EQ(saved.status, 0) << describe(saved);
    EXPECT_THAT(saved.out, HasSubstr("Backed up the card in reader 'Virtual SIM Reader 0'"));

    writeBytes(m_folder / "open.simcard", blankCardOpenToPin1());
    useCardCopy(m_folder / "open.simcard");
    const CliResult before = run({"sms", "--pin-stdin"}, "1234\n");
    EXPECT_THAT(before.out, HasSubstr("(empty)")) << describe(before);
    const CliResult restored = run({"restore", "--pin-stdin", backup}, "1234\n");
    ASSERT_EQ(restored.status, 0) << describe(restored);
    const CliResult after = run({"sms", "--pin-stdin"}, "1234\n");
    EXPECT_EQ(after.status, 0) << describe(after);
    EXPECT_THAT(after.out, HasSubstr("Hi! Are we still on for lunch tomorrow?"));

    // The fixed dialling numbers go back only with PIN2: without it the
    // restore stops before it writes anything and says so; with it the whole
    // backup goes back.
    useCardCopy(testCard("blank"));
    const CliResult refused = run({"restore", "--pin-stdin", backup}, "1234\n");
    EXPECT_EQ(refused.status, 1) << describe(refused);
    EXPECT_THAT(refused.err, HasSubstr("no PIN2"));
    EXPECT_THAT(refused.err, HasSubstr("Nothing was restored: the card is as it was."));
    EXPECT_EQ(refused.out, "");
    const CliResult withPin2 = run({"restore", "--pin-stdin", backup}, "1234\n5678\n");
    EXPECT_EQ(withPin2.status, 0) << describe(withPin2);
    EXPECT_THAT(withPin2.out, HasSubstr("Restored the card"));
}

TEST_F(CliTest, BackupAndRestoreFailuresSayWhatWasLeftAlone) {
    const CliResult nowhere = run({"backup", "--pin-stdin", path("no/such/demo.bsf")}, "1234\n");
    EXPECT_EQ(nowhere.status, 1) << describe(nowhere);
    EXPECT_THAT(nowhere.err, HasSubstr("the backup of the card failed; '" +
                                       path("no/such/demo.bsf") + "' was not written"));

    const std::string old = path("old.bsf");
    writeBytes(old, "an older backup");
    m_cli.setEnv("VIRTUALSIM_FAULTS", "*#60=pull");
    const CliResult pulled = run({"backup", "--pin-stdin", old}, "1234\n");
    EXPECT_EQ(pulled.status, 1) << describe(pulled);
    const std::vector<uint8_t> kept = readBytes(old);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "an older backup");
    m_cli.setEnv("VIRTUALSIM_FAULTS", std::nullopt);

    const CliResult missing = run({"restore", "--pin-stdin", path("none.bsf")}, "1234\n");
    EXPECT_EQ(missing.status, 1) << describe(missing);
    EXPECT_THAT(missing.err, HasSubstr("cannot read '" + path("none.bsf") + "'"));
    EXPECT_THAT(missing.out, Not(HasSubstr("Restored")));

    const CliResult notABackup = run({"restore", "--pin-stdin", old}, "1234\n");
    EXPECT_EQ(notABackup.status, 1) << describe(notABackup);
    EXPECT_THAT(notABackup.err, HasSubstr("The file holds no backup of a card"));
}

TEST_F(CliTest, SmsReadsOnlyTheMessagesOfTheCard) {
    const std::string trace = path("trace.txt");
    m_cli.setEnv("VIRTUALSIM_TRACE", trace);
    const CliResult result = run({"sms", "--pin-stdin"}, "1234\n");
    ASSERT_EQ(result.status, 0) << describe(result);
    EXPECT_THAT(result.out, HasSubstr("Short messages (sms, 30 records)"));
    EXPECT_THAT(result.out, HasSubstr("Grüße aus Berlin"));
    const std::vector<uint8_t> bytes = readBytes(trace);
    const std::string commands(bytes.begin(), bytes.end());
    // The phone books are probed, not read: no record of theirs is fetched.
    EXPECT_EQ(commands.find("A0B20104"), commands.rfind("A0B20104")) << "one first record read";
}

} // namespace
} // namespace pelmora::test
