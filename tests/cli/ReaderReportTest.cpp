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

constexpr const char* kNoService = "The smart-card service (pcscd) is not running";
constexpr const char* kNoReaders = "The smart-card service knows no reader";
constexpr const char* kNoCard = "The reader holds no card";
constexpr const char* kNoT0 = "The card does not offer the protocol T=0";
constexpr const char* kCardFault = "answers, but not as a SIM does: technical problem";

INSTANTIATE_TEST_SUITE_P(
    Cli, ReadersVerbose,
    ::testing::Values(
        ReportCase{"CardReady",
                   {},
                   0,
                   {"Virtual SIM Reader 0\n  State: card ready\n",
                    "ATR: 3B1A115649525455414C53494D (offers T=0; T=0 present)"},
                   nullptr},
        ReportCase{"NoService", {{"VIRTUALSIM_NO_SERVICE", "1"}}, 1, {kNoService}, kNoService},
        ReportCase{"NoReader", {{"VIRTUALSIM_NO_READERS", "1"}}, 1, {kNoReaders}, kNoReaders},
        ReportCase{"EmptyReader",
                   {{"VIRTUALSIM_CARDS", ""}},
                   1,
                   {"Virtual SIM Reader 0\n  State: no card\n"},
                   kNoCard},
        ReportCase{"CardPulledWhileOpened",
                   {{"VIRTUALSIM_FAULTS", "*#1=pull"}},
                   1,
                   {"State: card removed"},
                   "The card was removed while it was in use"},
        ReportCase{"OnlyT1", {{"VIRTUALSIM_ATR", "3B800181"}}, 1, {"State: "}, kNoT0},
        ReportCase{"StatusAnsweredTechnicalProblem",
                   {{"VIRTUALSIM_FAULTS", "A0F2=6F00"}},
                   1,
                   {"State: card answers with an error", "Last error: 0xFFFFFFEE"},
                   kCardFault}));

// A card command names the same reason the report gives.
struct OpenCase {
    const char* name;
    std::map<std::string, std::string> env;
    const char* reason;
};

void PrintTo(const OpenCase& c, std::ostream* out) {
    *out << c.name;
}

class ReadExplains : public CliTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(ReadExplains, WhyNoCardCouldBeRead) {
    m_cli.useVirtualCards(demoCard().string());
    for (const auto& [name, value] : GetParam().env) {
        m_cli.setEnv(name, value);
    }
    const CliResult result = run({"read", "-o", path("out.phn")});
    EXPECT_EQ(result.status, 1) << describe(result);
    EXPECT_THAT(result.err, HasSubstr(GetParam().reason)) << describe(result);
    EXPECT_THAT(result.err, ::testing::Not(HasSubstr("no reader holds a card")));
}

INSTANTIATE_TEST_SUITE_P(
    Cli, ReadExplains,
    ::testing::Values(OpenCase{"NoService", {{"VIRTUALSIM_NO_SERVICE", "1"}}, kNoService},
                      OpenCase{"NoReader", {{"VIRTUALSIM_NO_READERS", "1"}}, kNoReaders},
                      OpenCase{"OnlyT1", {{"VIRTUALSIM_ATR", "3B800181"}}, kNoT0},
                      OpenCase{"StatusAnsweredTechnicalProblem",
                               {{"VIRTUALSIM_FAULTS", "A0F2=6F00"}},
                               kCardFault}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace pelmora::test
