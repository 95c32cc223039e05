// The USIM phone book through velmet-cli on the test cards: read with every
// additional number and e-mail, written back and read again unchanged, the
// card's GSM books beside it untouched.

#include "CliRunner.h"

#include <fstream>
#include <sstream>

namespace pelmora::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

struct UsimCard {
    const char* name;
    const char* records;
    std::vector<std::vector<std::string>> shown; // cells of `show` lines for some contacts
};

void PrintTo(const UsimCard& c, std::ostream* out) {
    *out << c.name;
}

const UsimCard kCards[] = {
    {"usim-type1",
     "250",
     {{"Alice Morgan", "+447700900101", "+441632960101", "alice@example.com", "Ali"},
      {"Plumber", "01632960150", "07700900151", "fix-it@plumbing.example"},
      {"Иван Петров", "+74951234567", "ivan@example.ru", "Ваня"}}},
    {"usim-type2",
     "100",
     {{"Alice Morgan", "+447700900101", "+441632960101", "alice@example.com", "Ali"},
      {"Renée Dubois", "+33199001234", "+33199001299", "renee_d@example.fr"}}},
    {"usim-500",
     "500",
     {{"Contact 420", "+447700900420", "01632000420", "contact420@mail.example", "Nick 420"},
      {"Contact 499", "+447700900499"}}},
};

std::string text(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

// The section of a card profile, up to the next one.
std::string section(const std::string& profile, const std::string& name) {
    const size_t start = profile.find("[" + name + "]");
    return start == std::string::npos ? std::string()
                                      : profile.substr(start, profile.find("\r\n[", start) - start);
}

// The line of the listing that starts with the first cell holds the others in order.
void expectRow(const std::string& listing, const std::vector<std::string>& cells) {
    const size_t start = listing.find(cells.front());
    ASSERT_NE(start, std::string::npos) << cells.front();
    const std::string line = listing.substr(start, listing.find('\n', start) - start);
    size_t at = 0;
    for (const std::string& cell : cells) {
        at = line.find(cell, at);
        ASSERT_NE(at, std::string::npos) << cell << " in: " << line;
    }
}

// The USIM book of another test card, read by a runner in a folder of its own
// into file; the exit status.
int readAnotherCardsBook(const std::filesystem::path& folder, const char* card,
                         const std::string& file) {
    std::filesystem::create_directories(folder);
    CliRunner other(folder);
    other.useVirtualCards(testCard(card).string());
    return other.run({"read", "--pin-stdin", "--books", "usim", "-o", file}, "1234\n").status;
}

class UsimBookCli : public CliTest, public ::testing::WithParamInterface<UsimCard> {};

TEST_P(UsimBookCli, ReadsEveryContactWithItsNumbersAndEmails) {
    useCardCopy(testCard(GetParam().name));
    const CliResult read =
        run({"read", "--pin-stdin", "--books", "usim", "-o", path("usim.phn")}, "1234\n");
    ASSERT_EQ(read.status, 0) << describe(read);
    EXPECT_THAT(read.out, HasSubstr(std::string("USIM phone book (usim): ") + GetParam().records +
                                    " records read"));
    const CliResult shown = run({"show", path("usim.phn"), "--book", "usim"});
    for (const auto& cells : GetParam().shown) {
        expectRow(shown.out, cells);
    }
}

TEST_P(UsimBookCli, WrittenBackAndReadAgainIsTheSameAndTheGsmBooksStayAlone) {
    const std::filesystem::path card = useCardCopy(testCard(GetParam().name));
    const std::string before = text(card);
    ASSERT_EQ(run({"read", "--pin-stdin", "-o", path("first.phn")}, "1234\n").status, 0);
    const CliResult written =
        run({"write", "--pin-stdin", "--books", "usim", path("first.phn")}, "1234\n");
    ASSERT_EQ(written.status, 0) << describe(written);
    ASSERT_EQ(run({"read", "--pin-stdin", "-o", path("again.phn")}, "1234\n").status, 0);
    EXPECT_EQ(readBytes(m_folder / "again.phn"), readBytes(m_folder / "first.phn"));
    const std::string after = text(card);
    for (const char* gsm : {"3F00/7F10/6F3A", "3F00/7F10/6F3C", "3F00/7F10/6F4A"}) {
        EXPECT_EQ(section(after, gsm), section(before, gsm)) << gsm;
    }
}

INSTANTIATE_TEST_SUITE_P(Cards, UsimBookCli, ::testing::ValuesIn(kCards));

// Another card's whole book written over this one's: an edit of every entry.
TEST_F(CliTest, AnotherLayoutsBookWrittenOverTheUsimBookReadsBackTheSame) {
    useCardCopy(testCard("usim-type1"));
    ASSERT_EQ(readAnotherCardsBook(m_folder / "other", "usim-type2", path("type2.phn")), 0);
    const CliResult written =
        run({"write", "--pin-stdin", "--books", "usim", path("type2.phn")}, "1234\n");
    ASSERT_EQ(written.status, 0) << describe(written);
    ASSERT_EQ(
        run({"read", "--pin-stdin", "--books", "usim", "-o", path("type1.phn")}, "1234\n").status,
        0);
    const auto rows = [&](const std::string& file) {
        std::string out = run({"show", path(file), "--book", "usim"}).out;
        return out.substr(out.find('\n')); // without the line giving the record count
    };
    EXPECT_EQ(rows("type1.phn"), rows("type2.phn"));
}

TEST_F(CliTest, RestoreBringsBackTheUsimBookOfTheBackup) {
    useCardCopy(testCard("usim-type2"));
    ASSERT_EQ(
        run({"read", "--pin-stdin", "--books", "usim", "-o", path("first.phn")}, "1234\n").status,
        0);
    const CliResult saved = run({"backup", "--pin-stdin", path("card.bsf")}, "1234\n");
    ASSERT_EQ(saved.status, 0) << describe(saved);
    ASSERT_EQ(readAnotherCardsBook(m_folder / "other", "usim-type1", path("type1.phn")), 0);
    ASSERT_EQ(run({"write", "--pin-stdin", "--books", "usim", path("type1.phn")}, "1234\n").status,
              0);
    const CliResult restored = run({"restore", "--pin-stdin", path("card.bsf")}, "1234\n5678\n");
    ASSERT_EQ(restored.status, 0) << describe(restored);
    ASSERT_EQ(
        run({"read", "--pin-stdin", "--books", "usim", "-o", path("again.phn")}, "1234\n").status,
        0);
    EXPECT_EQ(readBytes(m_folder / "again.phn"), readBytes(m_folder / "first.phn"));
}

// The card has one EMAIL file: a second address is named before anything is
// written, and written only as cut when the user agrees.
TEST_F(CliTest, ASecondEmailTheCardHasNoRoomForIsRefusedUnlessCut) {
    const std::filesystem::path card = useCardCopy(testCard("usim-type1"));
    const std::string before = text(card);
    writeBytes(m_folder / "two.phn",
               "[4F3A]\r\nn1=Alice Morgan\r\nt1=+447700900101\r\na1=\r\nb1=\r\nc1=\r\n"
               "d1=\r\nf1=\r\ne1=alice@example.com\r\ng1=alice@work.example\r\ns1=\r\n");
    const std::string named =
        "USIM phone book (usim): Position 1: the card has no room for E-mail 2 "
        "\"alice@work.example\"";
    const CliResult refused =
        run({"write", "--pin-stdin", "--books", "usim", path("two.phn")}, "1234\n");
    EXPECT_EQ(refused.status, 1) << describe(refused);
    EXPECT_THAT(refused.err, HasSubstr(named));
    EXPECT_EQ(text(card), before);

    const CliResult cut =
        run({"write", "--pin-stdin", "--cut", "--books", "usim", path("two.phn")}, "1234\n");
    EXPECT_EQ(cut.status, 0) << describe(cut);
    EXPECT_THAT(cut.out, HasSubstr(named));
    EXPECT_THAT(cut.out, HasSubstr("USIM phone book (usim): written"));
    ASSERT_EQ(
        run({"read", "--pin-stdin", "--books", "usim", "-o", path("back.phn")}, "1234\n").status,
        0);
    const std::string shown = run({"show", path("back.phn"), "--book", "usim"}).out;
    expectRow(shown, {"Alice Morgan", "alice@example.com"});
    EXPECT_THAT(shown, Not(HasSubstr("alice@work.example")));
}

TEST_F(CliTest, InfoNamesTheUsimBookOfACardThatHasOne) {
    useCardCopy(testCard("usim-type2"));
    const CliResult info = run({"info", "--pin-stdin"}, "1234\n");
    ASSERT_EQ(info.status, 0) << describe(info);
    expectRow(info.out, {"usim", "100"});
}

TEST_F(CliTest, TheDemoCardHasNoUsimBook) {
    const CliResult read =
        run({"read", "--pin-stdin", "--books", "usim", "-o", path("none.phn")}, "1234\n");
    EXPECT_EQ(read.status, 1) << describe(read);
}

} // namespace
} // namespace pelmora::test
