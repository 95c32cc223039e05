// velmet-cli readers --verbose: the report of every reader, and what to do
// when none can be used.

#include "CliRunner.h"

namespace pelmora::test {
namespace {

using ::testing::HasSubstr;

struct ReportCase {
    const char* name;
    std::map<std::string, std::string> env;
    int status;
    std::vector<std::string> shown; // on standard output
    const char* advice;             // on standard error, or nullptr
};

void PrintTo(const ReportCase& c, std::ostream* out) {
    *out << c.name;
}

class ReadersVerbose : public CliTest, public ::testing::WithParamInterface<ReportCase> {};

TEST_P(ReadersVerbose, TellsTheSituationAndWhatToDo) {
    m_cli.useVirtualCards(demoCard().string());
    for (const auto& [name, value] : GetParam().env) {
        m_cli.setEnv(name, value);
    }
    const CliResult result = run({"readers", "--verbose"});
    EXPECT_EQ(result.status, GetParam().status) << describe(result);
    EXPECT_THAT(result.out, HasSubstr("Pelmora reader report\nProgram "));
    for (const std::string& words : GetParam().shown) {
        EXPECT_THAT(result.out, HasSubstr(words)) << describe(result);
    }
    if (GetParam().advice != nullptr) {
        EXPECT_THAT(result.err, HasSubstr(GetParam().advice)) << describe(result);
    } else {
        EXPECT_EQ(result.err, "");
    }
}

constexpr const char* kNoReaderListed = "No smart-card reader is listed";
constexpr const char* kCardNotOpened = "The reader holds a card that cannot be opened";

INSTANTIATE_TEST_SUITE_P(
    Cli, ReadersVerbose,
    ::testing::Values(
        ReportCase{"CardReady",
                   {},
                   0,
                   {"Virtual SIM Reader 0\n  State: card ready\n",
                    "ATR: 3B1A115649525455414C53494D (offers T=0; T=0 present)"},
                   nullptr},
        ReportCase{
            "NoService", {{"VIRTUALSIM_NO_SERVICE", "1"}}, 1, {kNoReaderListed}, kNoReaderListed},
        ReportCase{
            "NoReader", {{"VIRTUALSIM_NO_READERS", "1"}}, 1, {kNoReaderListed}, kNoReaderListed},
        ReportCase{"EmptyReader",
                   {{"VIRTUALSIM_CARDS", ""}},
                   1,
                   {"Virtual SIM Reader 0\n  State: card cannot be opened\n"},
                   kCardNotOpened},
        ReportCase{"CardPulledWhileOpened",
                   {{"VIRTUALSIM_FAULTS", "*#1=pull"}},
                   1,
                   {"State: card cannot be opened"},
                   kCardNotOpened},
        ReportCase{"OnlyT1",
                   {{"VIRTUALSIM_ATR", "3B800181"}},
                   1,
                   {"State: card cannot be opened"},
                   kCardNotOpened}));

} // namespace
} // namespace pelmora::test
