// read and write against the virtual SIM: books chosen, PINs the access
// conditions need, faults of the card, and entries that do not fit.

#include "CliRunner.h"

namespace pelmora::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

std::string csvWithRows(int rows) {
    std::string text = "Name,Phone\r\n";
    for (int i = 1; i <= rows; ++i) {
        text += "Contact " + std::to_string(i) + "," + std::to_string(1000 + i) + "\r\n";
    }
    return text;
}

TEST_F(CliTest, ReadTakesOnlyTheBooksNamedAndWritesACsvByItsExtension) {
    const CliResult read =
        run({"read", "--pin-stdin", "--books", "adn", "--output", path("adn.csv")}, "1234\n");
    ASSERT_EQ(read.status, 0) << describe(read);
    EXPECT_EQ(read.out, "Phone book (adn): 250 records read\nSaved to " + path("adn.csv") + "\n");
    const CliResult shown = run({"show", path("adn.csv")});
    EXPECT_THAT(shown.out, HasSubstr("Alice Morgan    +447700900101"));
    EXPECT_THAT(shown.out, Not(HasSubstr("Dispatch Center")));
    // The progress line is for terminals only; the note is not.
    EXPECT_EQ(read.err,
              "note: '" + path("adn.csv") +
                  "' was written as UTF-16: some text has no place in the ANSI code page\n");
}

struct BrokenRead {
    const char* name;
    const char* faults;
    const char* said;
};

// Short test names in the test lists.
void PrintTo(const BrokenRead& c, std::ostream* out) {
    *out << c.name;
}

class ReadFromABrokenCard : public CliTest, public ::testing::WithParamInterface<BrokenRead> {};

TEST_P(ReadFromABrokenCard, FailsAndLeavesTheOldFileAsItWas) {
    const std::string output = path("card.phn");
    writeBytes(output, "old contents");
    m_cli.setEnv("VIRTUALSIM_FAULTS", GetParam().faults);
    const CliResult read = run({"read", "--pin-stdin", "-o", output}, "1234\n");
    EXPECT_EQ(read.status, 1) << describe(read);
    EXPECT_THAT(read.err, HasSubstr(GetParam().said)) << describe(read);
    EXPECT_THAT(read.err, HasSubstr("'" + output + "' was not written"));
    EXPECT_THAT(read.out, Not(HasSubstr("Saved")));
    const std::vector<uint8_t> kept = readBytes(output);
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "old contents");
    // Nothing half-written is left beside it.
    std::vector<std::string> names = m_folder.entries();
    std::erase_if(names, [](const std::string& n) { return n.starts_with("run"); });
    EXPECT_EQ(names, std::vector<std::string>{"card.phn"});
}

INSTANTIATE_TEST_SUITE_P(
    Cli, ReadFromABrokenCard,
    ::testing::Values(
        // Command 300 falls in the phone book, after the card was opened.
        BrokenRead{"CardPulledMidRead", "*#300=pull",
                   "the card was removed from the reader during the read: read in full: Nextel "
                   "phone book (iden); not read in full: Phone book (adn), Own numbers (msisdn),"},
        BrokenRead{"TechnicalProblem", "A0B2#40=6F00",
                   "Error 0x6F00: Technical problem with no diagnostic given"},
        BrokenRead{"BookNotSelectable", "A0A40000026F3A=6F00", "did not give Phone book (adn)"},
        BrokenRead{"TransportErrorOnABook", "A0A40000026F3A=0x80100016",
                   "did not give Phone book (adn)"},
        BrokenRead{"RecordAnsweredShort", "A0B2#40=short:3", "did not give"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliTest, ReadIntoAFolderThatIsNotThereFails) {
    const CliResult read =
        run({"read", "--pin-stdin", "--books", "msisdn", "-o", path("no/such.phn")}, "1234\n");
    EXPECT_EQ(read.status, 1) << describe(read);
    EXPECT_THAT(read.err, HasSubstr("cannot write '" + path("no/such.phn") + "'"));
}

TEST_F(CliTest, WriteAsksForPin2ForTheFixedNumbersAndTheCardKeepsWhatItTook) {
    useCardCopy(demoCard());
    ASSERT_EQ(run({"read", "--pin-stdin", "-o", path("demo.phn")}, "1234\n").status, 0);

    // A wrong PIN2 is reported with the attempts left; nothing is claimed.
    const CliResult wrong =
        run({"write", "--pin-stdin", "--books", "fdn", path("demo.phn")}, "1234\n0000\n");
    EXPECT_EQ(wrong.status, 1) << describe(wrong);
    EXPECT_THAT(wrong.err, HasSubstr("The card refused PIN2 (2 attempts left)"));
    EXPECT_THAT(wrong.out, Not(HasSubstr("written")));

    const CliResult right =
        run({"write", "--pin-stdin", "--books", "fdn,adn", path("demo.phn")}, "1234\n5678\n");
    EXPECT_EQ(right.status, 0) << describe(right);
    EXPECT_EQ(right.out, "Fixed dialling numbers (fdn): written\nPhone book (adn): written\n");

    // Every book of the file: the service numbers, which only the card's
    // administrator may change and which the file holds as the card does,
    // are not attempted.
    const CliResult all = run({"write", "--pin-stdin", path("demo.phn")}, "1234\n5678\n");
    EXPECT_EQ(all.status, 0) << describe(all);
    EXPECT_THAT(all.err, Not(HasSubstr("(sdn)")));
    EXPECT_THAT(all.out, Not(HasSubstr("(sdn)")));
    EXPECT_THAT(all.out, HasSubstr("Short messages (sms): written"));

    // Read again, the card gives the same file.
    ASSERT_EQ(run({"read", "--pin-stdin", "-o", path("again.phn")}, "1234\n").status, 0);
    EXPECT_EQ(readBytes(m_folder / "again.phn"), readBytes(m_folder / "demo.phn"));
}

TEST_F(CliTest, AWriteTheCardRefusesIsAFailureAndClaimsNothing) {
    useCardCopy(demoCard());
    writeBytes(m_folder / "few.csv", csvWithRows(3));
    m_cli.setEnv("VIRTUALSIM_FAULTS", "A0DC#2=6581");
    const CliResult result = run({"write", "--pin-stdin", path("few.csv")}, "1234\n");
    EXPECT_EQ(result.status, 1) << describe(result);
    EXPECT_THAT(result.err, HasSubstr("the card did not take Phone book (adn)"));
    EXPECT_EQ(result.out, "");
}

TEST_F(CliTest, EntriesBeyondTheCardsRecordsAreWrittenOnlyWithCut) {
    useCardCopy(demoCard());
    writeBytes(m_folder / "many.csv", csvWithRows(253));
    const std::string trace = path("trace.txt");
    m_cli.setEnv("VIRTUALSIM_TRACE", trace);
    const CliResult refused = run({"write", "--pin-stdin", path("many.csv")}, "1234\n");
    EXPECT_EQ(refused.status, 1) << describe(refused);
    EXPECT_THAT(refused.err, HasSubstr("3 entries do not fit on the card (positions 251, 252, "
                                       "253); not written (--cut writes the rest)"));
    EXPECT_EQ(refused.out, "");
    const std::vector<uint8_t> commands = readBytes(trace);
    EXPECT_EQ(countOf(std::string(commands.begin(), commands.end()), " A0DC"), 0u)
        << "no record was updated";

    const CliResult cut = run({"write", "--pin-stdin", "--cut", path("many.csv")}, "1234\n");
    EXPECT_EQ(cut.status, 0) << describe(cut);
    EXPECT_THAT(cut.out, HasSubstr("3 entries do not fit on the card (positions 251, 252, 253); "
                                   "written without them\nPhone book (adn): written"));
    const CliResult back =
        run({"read", "--pin-stdin", "--books", "adn", "-o", path("back.csv")}, "1234\n");
    ASSERT_EQ(back.status, 0) << describe(back);
    const CliResult shown = run({"show", path("back.csv")});
    EXPECT_THAT(shown.out, HasSubstr("Contact 250"));
    EXPECT_THAT(shown.out, Not(HasSubstr("Contact 251")));
}

bool isCsv(const std::string& file) {
    return file.ends_with(".csv");
}

TEST_F(CliTest, NumbersWithoutANameStayInPhnAndCsvFiles) {
    writeBytes(m_cli.settingsFile(), "[Options]\r\nSAVE_ONLY_ADN_CSV=0\r\n");
    for (const char* file : {"demo.phn", "demo.csv"}) {
        const CliResult read = run({"read", "--pin-stdin", "-o", path(file)}, "1234\n");
        ASSERT_EQ(read.status, 0) << describe(read);
        EXPECT_THAT(run({"show", path(file), "--book", "adn"}).out, HasSubstr("+447700900199"))
            << file;
        // A .csv holds the rows of every book in one list.
        const std::string lnd =
            run({"show", path(file), "--book", isCsv(file) ? "adn" : "lnd"}).out;
        for (const char* number : {"07700900102", "+447700900101", "+442079460001"}) {
            EXPECT_THAT(lnd, HasSubstr(number)) << file;
        }
    }
}

TEST_F(CliTest, ANameTooLongForTheCardIsNamedAndWrittenOnlyWithCut) {
    useCardCopy(demoCard());
    writeBytes(m_folder / "long.csv", "Name,Phone\r\n\"Brackets [x] {y} and more\",123\r\n");
    const std::string trace = path("trace.txt");
    m_cli.setEnv("VIRTUALSIM_TRACE", trace);
    const CliResult refused = run({"write", "--pin-stdin", path("long.csv")}, "1234\n");
    EXPECT_EQ(refused.status, 1) << describe(refused);
    EXPECT_THAT(refused.err, HasSubstr("Position 1: the name \"Brackets [x] {y} and more\" would "
                                       "become \"Brackets [x]\" on the card"));
    const std::vector<uint8_t> commands = readBytes(trace);
    EXPECT_EQ(countOf(std::string(commands.begin(), commands.end()), " A0DC"), 0u);

    const CliResult cut = run({"write", "--pin-stdin", "--cut", path("long.csv")}, "1234\n");
    EXPECT_EQ(cut.status, 0) << describe(cut);
    EXPECT_THAT(cut.out, HasSubstr("Phone book (adn): written"));
}

} // namespace
} // namespace pelmora::test
