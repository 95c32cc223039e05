// Which reader a card command works on: the one named, else the single one
// holding a card; several cards are a usage error that lists them.

#include "CliRunner.h"

namespace pelmora::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

TEST_F(CliTest, ReadersListsEachReaderWithOrWithoutItsCard) {
    m_cli.useVirtualCards(demoCard().string() + "::" + demoCard().string());
    const CliResult result = run({"readers"});
    ASSERT_EQ(result.status, 0) << describe(result);
    EXPECT_EQ(result.out, "Virtual SIM Reader 0  card\n"
                          "Virtual SIM Reader 1  no card\n"
                          "Virtual SIM Reader 2  card\n");
}

struct ChoiceCase {
    const char* name;
    std::string cards; // VIRTUALSIM_CARDS, "demo" standing for the demo card
    std::vector<std::string> reader;
    int status;
    std::vector<std::string> said; // on standard error
    const char* iccidShown;        // on standard output, or nullptr
};

// Short test names in the test lists.
void PrintTo(const ChoiceCase& c, std::ostream* out) {
    *out << c.name;
}

class ReaderChoice : public CliTest, public ::testing::WithParamInterface<ChoiceCase> {};

TEST_P(ReaderChoice, FollowsTheReadersAndTheirCards) {
    std::string cards = GetParam().cards;
    for (size_t at = cards.find("demo"); at != std::string::npos; at = cards.find("demo", at)) {
        cards.replace(at, 4, demoCard().string());
        at += demoCard().string().size();
    }
    m_cli.useVirtualCards(cards);
    std::vector<std::string> arguments = {"info", "--pin-stdin"};
    arguments.insert(arguments.end(), GetParam().reader.begin(), GetParam().reader.end());
    const CliResult result = run(arguments, "1234\n");
    EXPECT_EQ(result.status, GetParam().status) << describe(result);
    for (const std::string& words : GetParam().said) {
        EXPECT_THAT(result.err, HasSubstr(words)) << describe(result);
    }
    if (GetParam().iccidShown != nullptr) {
        EXPECT_THAT(result.out, HasSubstr(GetParam().iccidShown));
    } else {
        EXPECT_THAT(result.out, Not(HasSubstr("ICCID")));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cli, ReaderChoice,
    ::testing::Values(
        ChoiceCase{"SingleCardAmongEmptyReaders", ":demo:", {}, 0, {}, "8944150012345678217"},
        ChoiceCase{"SeveralCardsAreListed",
                   "demo:demo",
                   {},
                   2,
                   {"several readers hold a card", "Virtual SIM Reader 0", "Virtual SIM Reader 1",
                    "--reader"},
                   nullptr},
        ChoiceCase{"NamedReaderAmongSeveral",
                   "demo:demo",
                   {"--reader", "virtual sim reader 1"},
                   0,
                   {},
                   "8944150012345678217"},
        ChoiceCase{"NoCardAnywhere", "::", {}, 1, {"no reader holds a card"}, nullptr},
        ChoiceCase{"NamedReaderWithoutCard",
                   "demo:",
                   {"--reader", "Virtual SIM Reader 1"},
                   1,
                   {"there is no card in reader 'Virtual SIM Reader 1'"},
                   nullptr},
        ChoiceCase{"UnknownReader",
                   "demo",
                   {"--reader", "Card Reader 9"},
                   1,
                   {"no reader named 'Card Reader 9'", "Virtual SIM Reader 0"},
                   nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliTest, NoSmartCardServiceIsAPlainFailure) {
    m_cli.setEnv("VIRTUALSIM_NO_SERVICE", "1");
    const CliResult result = run({"info"});
    EXPECT_EQ(result.status, 1) << describe(result);
    EXPECT_THAT(result.err, HasSubstr("no smart-card reader found"));
}

TEST_F(CliTest, InfoShowsTheCardAndItsBooksAndAppendsTheSaveInfoLine) {
    const std::string lines = path("cards.csv");
    for (int pass = 1; pass <= 2; ++pass) {
        SCOPED_TRACE(pass);
        const CliResult result = run({"info", "--pin-stdin", "--save-info", lines}, "1234\n");
        ASSERT_EQ(result.status, 0) << describe(result);
        for (const char* shown :
             {"ICCID:               8944150012345678217\n",
              "IMSI:                234157300481516\n", "Service provider:    Demo Mobile\n",
              "Phase:               Phase 2\n",
              "Phone book (adn)                6f3a     250      28             PIN          PIN\n",
              "Service dialling numbers (sdn)  6f49     10       28             PIN          "
              "Administrator\n"}) {
            EXPECT_THAT(result.out, HasSubstr(shown));
        }
    }
    const std::vector<uint8_t> bytes = readBytes(lines);
    const std::string text(bytes.begin(), bytes.end());
    const std::string start = "8944150012345678217,+447700900001,Demo Mobile,234157300481516,";
    ASSERT_EQ(countOf(text, "\r\n"), 2u) << text;
    EXPECT_EQ(text.find(start), 0u) << text;
    EXPECT_EQ(text.find(start, 1), text.find("\r\n") + 2) << text;

    const CliResult nowhere =
        run({"info", "--pin-stdin", "--save-info", path("no/such/cards.csv")}, "1234\n");
    EXPECT_EQ(nowhere.status, 1) << describe(nowhere);
    EXPECT_THAT(nowhere.err, HasSubstr("cannot append the card's line to"));
}

} // namespace
} // namespace pelmora::test
