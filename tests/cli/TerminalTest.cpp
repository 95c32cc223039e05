// On a terminal: PINs are asked for and typed without echo, a refused PIN is
// asked for again, and card jobs show a progress line.

#include "CliRunner.h"

namespace pelmora::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

TEST_F(CliTest, OnATerminalThePinIsTypedUnseenAndTheReadShowsItsProgress) {
    const CliResult result =
        m_cli.runOnTerminal({"read", "--books", "msisdn", "-o", path("own.phn")}, {"1234"});
    EXPECT_EQ(result.status, 0) << describe(result);
    EXPECT_THAT(result.out, HasSubstr("PIN1 (3 attempts left): "));
    EXPECT_THAT(result.out, Not(HasSubstr("1234"))) << "the PIN was echoed";
    EXPECT_THAT(result.out, HasSubstr("Reading phone books: Reading record 2 of 2"));
    EXPECT_THAT(result.out, HasSubstr("Own numbers (msisdn): 2 records read"));
    EXPECT_TRUE(std::filesystem::exists(path("own.phn")));
}

TEST_F(CliTest, OnATerminalARefusedPinIsAskedForAgain) {
    const CliResult result = m_cli.runOnTerminal({"pin", "verify", "1"}, {"1111", "1234"});
    EXPECT_EQ(result.status, 0) << describe(result);
    EXPECT_THAT(result.out, HasSubstr("The card refused PIN1 (2 attempts left).\r\n"
                                      "PIN1 (2 attempts left): "));
    EXPECT_THAT(result.out, HasSubstr("PIN1 verified."));
}

} // namespace
} // namespace pelmora::test
