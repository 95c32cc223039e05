// The pin command against virtual cards that keep what happens to them: each
// case runs its steps in order on a fresh copy of its card.

#include "CliRunner.h"

namespace pelmora::test {
namespace {

using ::testing::HasSubstr;

struct Step {
    std::vector<std::string> arguments; // --pin-stdin is added
    std::string input;
    int status;
    std::string said; // on standard output for status 0, else on standard error
};

struct PinCase {
    const char* name;
    const char* card; // a test card, or "demo"
    std::vector<Step> steps;
};

// Short test names in the test lists.
void PrintTo(const PinCase& c, std::ostream* out) {
    *out << c.name;
}

// info shows PIN1's check and attempts after a step.
Step pin1State(const std::string& input, const std::string& state, int attempts) {
    return {{"info"},
            input,
            0,
            "PIN1 check:          " + state + "\nPIN1 attempts left:  " + std::to_string(attempts)};
}

class Pin : public CliTest, public ::testing::WithParamInterface<PinCase> {};

TEST_P(Pin, FollowsTheCard) {
    const std::string card = GetParam().card;
    useCardCopy(card == "demo" ? demoCard() : testCard(card));
    int number = 0;
    for (const Step& step : GetParam().steps) {
        SCOPED_TRACE("step " + std::to_string(++number));
        std::vector<std::string> arguments = step.arguments;
        arguments.push_back("--pin-stdin");
        const CliResult result = run(arguments, step.input);
        EXPECT_EQ(result.status, step.status) << describe(result);
        EXPECT_THAT(step.status == 0 ? result.out : result.err, HasSubstr(step.said))
            << describe(result);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, Pin,
    ::testing::Values(
        PinCase{"VerifyBothPins",
                "demo",
                {{{"pin", "verify", "1"}, "1234\n", 0, "PIN1 verified."},
                 {{"pin", "verify", "2"}, "1234\n5678\n", 0, "PIN2 verified."}}},
        PinCase{"WrongPinsCountDownAndAreNotTriedTwice",
                "demo",
                {{{"pin", "verify", "1"},
                  "1111\n1234\n",
                  1,
                  "The card refused PIN1 (2 attempts left)."},
                 {{"pin", "verify", "2"},
                  "1234\n0000\n",
                  1,
                  "The card refused PIN2 (2 attempts left)."},
                 pin1State("1234\n", "Enabled", 3)}},
        PinCase{"NoPinGiven",
                "demo",
                {{{"pin", "verify", "1"}, "", 1, "no PIN1 (3 attempts left) given"},
                 {{"pin", "verify", "1"}, "123456789\n", 1, "longer than 8 characters"}}},
        PinCase{"ThirdWrongPinBlocksAndBlockedPinIsNotAsked",
                "demo",
                {{{"pin", "verify", "1"}, "1111\n", 1, "(2 attempts left)"},
                 {{"pin", "verify", "1"}, "1111\n", 1, "(1 attempt left)"},
                 {{"pin", "verify", "1"}, "1111\n", 1, "PIN1 is blocked"},
                 {{"read", "-o", "never.phn"},
                  "1234\n",
                  1,
                  "PIN1 is blocked: unblock it with its PUK1 (velmet-cli pin unblock 1)"}}},
        PinCase{"UnblockPin1ThenUseTheNewPin",
                "chv1-blocked",
                {{{"pin", "unblock", "1"},
                  "00000000\n4321\n4321\n",
                  1,
                  "The card refused PUK1 (9 attempts left)."},
                 {{"pin", "unblock", "1"}, "12345678\n4321\n4321\n", 0, "PIN1 unblocked."},
                 {{"pin", "verify", "1"}, "4321\n", 0, "PIN1 verified."}}},
        PinCase{"UnblockOfAPinThatIsNotBlockedSpendsNoAttempt",
                "demo",
                {{{"pin", "unblock", "1"}, "12345678\n4321\n4321\n", 0, "PIN1 is not blocked."},
                 pin1State("1234\n", "Enabled", 3)}},
        PinCase{"UnblockPin2",
                "chv2-blocked",
                {{{"pin", "verify", "2"}, "1234\n5678\n", 1, "PIN2 is blocked"},
                 {{"pin", "unblock", "2"}, "1234\n87654321\n2222\n2222\n", 0, "PIN2 unblocked."},
                 {{"pin", "verify", "2"}, "1234\n2222\n", 0, "PIN2 verified."}}},
        PinCase{"PukWithoutAttempts",
                "chv1-and-unblock-blocked",
                {{{"pin", "unblock", "1"},
                  "12345678\n1111\n1111\n",
                  1,
                  "PUK1 has no attempts left: PIN1 can no longer be unblocked."}}},
        PinCase{"ChangePin1AndPin2",
                "demo",
                {{{"pin", "change", "1"},
                  "1234\n4321\n4322\n",
                  1,
                  "The new PIN1 and its repetition differ."},
                 {{"pin", "change", "1"}, "1234\n4321\n4321\n", 0, "PIN1 changed."},
                 {{"pin", "change", "2"}, "4321\n5678\n8765\n8765\n", 0, "PIN2 changed."},
                 {{"pin", "verify", "2"}, "4321\n8765\n", 0, "PIN2 verified."}}},
        PinCase{"SwitchThePin1CheckOffAndOn",
                "demo",
                {{{"pin", "disable", "1"}, "1234\n", 0, "The PIN1 check is off."},
                 pin1State("", "Disabled", 3),
                 {{"pin", "disable", "1"}, "", 0, "The PIN1 check is already off."},
                 {{"pin", "enable", "1"}, "1111\n", 1, "The card refused PIN1"},
                 {{"pin", "enable", "1"}, "1234\n", 0, "The PIN1 check is on."},
                 pin1State("1234\n", "Enabled", 3),
                 {{"pin", "enable", "1"}, "1234\n", 0, "The PIN1 check is already on."}}},
        PinCase{"UiccPinsCountDownBlockAndUnblock",
                "uicc-refuses-a0",
                {{{"pin", "verify", "1"}, "1111\n", 1, "(2 attempts left)"},
                 {{"pin", "verify", "1"}, "1111\n", 1, "(1 attempt left)"},
                 {{"pin", "verify", "1"}, "1111\n", 1, "PIN1 is blocked"},
                 {{"pin", "unblock", "1"}, "12345678\n4321\n4321\n", 0, "PIN1 unblocked."},
                 {{"pin", "verify", "2"},
                  "4321\n0000\n",
                  1,
                  "The card refused PIN2 (2 attempts left)."},
                 {{"pin", "verify", "2"}, "4321\n5678\n", 0, "PIN2 verified."}}},
        PinCase{"UiccPin1CheckOffAndOnAndChange",
                "uicc-refuses-a0",
                {{{"pin", "disable", "1"}, "1234\n", 0, "The PIN1 check is off."},
                 pin1State("", "Disabled", 3),
                 {{"pin", "enable", "1"}, "1234\n", 0, "The PIN1 check is on."},
                 {{"pin", "change", "1"}, "1234\n4321\n4321\n", 0, "PIN1 changed."},
                 pin1State("4321\n", "Enabled", 3)}},
        PinCase{"ChangingASwitchedOffPin1SwitchesItOn",
                "chv1-disabled",
                {{{"pin", "change", "1"}, "1234\n9999\n9999\n", 0, "PIN1 changed."},
                 pin1State("9999\n", "Enabled", 3)}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliTest, APinIsNeededButStandardInputIsNoTerminalAndNoPinStdinWasGiven) {
    const CliResult result = run({"info"}, "1234\n");
    EXPECT_EQ(result.status, 1) << describe(result);
    EXPECT_THAT(result.err, HasSubstr("PIN1 (3 attempts left) is needed: type it on a terminal, "
                                      "or give it on standard input with --pin-stdin"));
}

TEST_F(CliTest, InfoShowsThePinAndPukStatesOfACardWhosePin1IsBlocked) {
    useCardCopy(testCard("chv1-blocked"));
    const CliResult result = run({"info", "--pin-stdin"}, "");
    EXPECT_EQ(result.status, 1) << describe(result);
    EXPECT_THAT(result.out, HasSubstr("PIN1 attempts left:  0")) << describe(result);
    EXPECT_THAT(result.out, HasSubstr("PUK1 attempts left:")) << describe(result);
    EXPECT_THAT(result.err, HasSubstr("PIN1 is blocked")) << describe(result);
}

} // namespace
} // namespace pelmora::test
