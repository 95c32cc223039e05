// Wrong usage ends with status 2 and a message on standard error before any
// card is touched; every command has its help.

#include "CliRunner.h"

namespace pelmora::test {
namespace {

using ::testing::HasSubstr;

struct UsageCase {
    std::vector<std::string> arguments;
    const char* message;
};

// Short test names in the test lists.
void PrintTo(const UsageCase& c, std::ostream* out) {
    *out << c.message;
}

class Usage : public CliTest, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(Usage, IsRefusedWithStatus2AndSaysWhy) {
    // A card command would need PIN1: none is given, so only a usage check can pass.
    const CliResult result = run(GetParam().arguments);
    EXPECT_EQ(result.status, 2) << describe(result);
    EXPECT_THAT(result.err, HasSubstr(GetParam().message)) << describe(result);
    EXPECT_THAT(result.err, HasSubstr("--help"));
    EXPECT_EQ(result.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cli, Usage,
    ::testing::Values(
        UsageCase{{}, "no command given"},
        UsageCase{{"frobnicate"}, "unknown command 'frobnicate'"},
        UsageCase{{"--colour", "readers"}, "unknown option '--colour'"},
        UsageCase{{"readers", "--settings"}, "unknown option '--settings'"},
        UsageCase{{"readers", "--reader"}, "unknown option '--reader'"},
        UsageCase{{"read"}, "-o FILE"}, UsageCase{{"read", "-o"}, "needs a value"},
        UsageCase{{"read", "-o", "card.txt"}, "must end in .phn, .csv or .vcf"},
        UsageCase{{"read", "--books", "adn,xyz", "-o", "a.phn"}, "'xyz' names no book"},
        UsageCase{{"write"}, "missing argument"},
        UsageCase{{"write", "a.phn", "b.phn"}, "unexpected argument 'b.phn'"},
        UsageCase{{"write", "--cut=yes", "a.phn"}, "takes no value"},
        UsageCase{{"show", "a.phn", "--book", "contacts"}, "'contacts' names no book"},
        UsageCase{{"convert", "a.phn", "b.txt"}, "must end in .phn, .csv or .vcf"},
        UsageCase{{"sms", "a.phn", "--reader", "R"}, "either a file or a reader"},
        UsageCase{{"pin"}, "name the action and the PIN"},
        UsageCase{{"pin", "verify", "1", "1234"}, "never taken from the command line"},
        UsageCase{{"pin", "change", "2", "5678", "1111"}, "never taken from the command line"},
        UsageCase{{"pin", "verify", "1", "--pin=1234"}, "never taken from the command line"},
        UsageCase{{"pin", "unblock", "1", "--puk", "12345678"},
                  "never taken from the command line"},
        UsageCase{{"pin", "enable", "2"}, "GSM has no such command"},
        UsageCase{{"pin", "disable", "2"}, "GSM has no such command"},
        UsageCase{{"pin", "verify", "3"}, "the PIN is 1 or 2"},
        UsageCase{{"pin", "reset", "1"}, "'reset' is no PIN action"}));

TEST_F(CliTest, ProgramAndEveryCommandHaveTheirHelp) {
    const CliResult program = run({"--help"});
    ASSERT_EQ(program.status, 0) << describe(program);
    const std::vector<std::string> names = {"readers", "info", "read", "write",   "backup",
                                            "restore", "pin",  "show", "convert", "sms"};
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        EXPECT_THAT(program.out, HasSubstr("  " + name + " "));
        // Help wins over anything else on the line, and touches no card.
        const CliResult help = run({name, "--bogus", "--help"});
        EXPECT_EQ(help.status, 0) << describe(help);
        EXPECT_THAT(help.out, HasSubstr("Usage: velmet-cli " + name));
        EXPECT_EQ(help.err, "");
    }
    EXPECT_THAT(run({"--version"}).out, HasSubstr("velmet-cli"));
}

} // namespace
} // namespace pelmora::test
