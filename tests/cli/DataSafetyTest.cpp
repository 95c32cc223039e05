// What must never reach the card or the user's files: broken or empty files,
// card faults passed as data, codes no keypad can type, and saves over what
// is not a plain writable file.

#include "CliRunner.h"

#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <sstream>

namespace pelmora::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

std::string textOf(const std::filesystem::path& file) {
    const std::vector<uint8_t> bytes = readBytes(file);
    return {bytes.begin(), bytes.end()};
}

TEST_F(CliTest, AFileThatCannotBeReadWholeNeverReachesTheCard) {
    const std::filesystem::path card = useCardCopy(demoCard());
    const std::string before = textOf(card);
    writeBytes(m_folder / "cut.phn", "[6F3A]\r\nn1=Alice\r\nt1=123\r\nn2=Re");
    writeBytes(m_folder / "quote.csv", "Name,Phone\r\n\"Alice,123\r\n");
    for (const char* file : {"cut.phn", "quote.csv"}) {
        const CliResult result = run({"write", "--pin-stdin", path(file)}, "1234\n");
        EXPECT_EQ(result.status, 1) << describe(result);
        EXPECT_THAT(result.err, HasSubstr(path(file) + ", line ")) << describe(result);
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(textOf(card), before);
}

// The lines of a text that differ from another's of the same length.
std::vector<std::string> changedLines(const std::string& before, const std::string& after) {
    std::istringstream a(before);
    std::istringstream b(after);
    std::vector<std::string> changed;
    std::string x;
    std::string y;
    while (std::getline(a, x) && std::getline(b, y)) {
        if (x != y) {
            changed.push_back(y);
        }
    }
    return changed;
}

// ASCII text as UTF-16LE bytes, as in a .phn file.
std::string utf16Bytes(std::string_view text) {
    std::string bytes;
    for (char c : text) {
        bytes += {c, '\0'};
    }
    return bytes;
}

TEST_F(CliTest, TheDemoCardWrittenBackUnchangedStaysByteForByteAndAnEditChangesOnlyItsRecord) {
    const std::filesystem::path card = useCardCopy(demoCard());
    const std::string before = textOf(card);
    // Entries stay in their records: a book read without its holes would move them.
    writeBytes(m_cli.settingsFile(), "[Options]\r\nSIM_WITHOUT_HOLES=0\r\n");
    ASSERT_EQ(run({"read", "--pin-stdin", "-o", path("demo.phn")}, "1234\n").status, 0);
    const CliResult unchanged = run({"write", "--pin-stdin", path("demo.phn")}, "1234\n5678\n");
    EXPECT_EQ(unchanged.status, 0) << describe(unchanged);
    EXPECT_EQ(textOf(card), before);

    std::string phn = textOf(m_folder / "demo.phn");
    const std::string name = utf16Bytes("n1=Alice Morgan");
    ASSERT_NE(phn.find(name), std::string::npos);
    phn.replace(phn.find(name), name.size(), utf16Bytes("n1=Alice Moran"));
    writeBytes(m_folder / "demo.phn", phn);
    const CliResult edited =
        run({"write", "--pin-stdin", "--books", "adn", path("demo.phn")}, "1234\n");
    EXPECT_EQ(edited.status, 0) << describe(edited);
    const std::vector<std::string> changed = changedLines(before, textOf(card));
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].substr(0, 2), "1=");
}

TEST_F(CliTest, AnEmptyBookErasesTheCardsOnlyWhenNamedAndAllowed) {
    const std::filesystem::path card = useCardCopy(demoCard());
    const std::string before = textOf(card);
    writeBytes(m_folder / "empty.csv", "");
    const CliResult refused = run({"write", "--pin-stdin", path("empty.csv")}, "1234\n");
    EXPECT_EQ(refused.status, 1) << describe(refused);
    EXPECT_THAT(refused.err, HasSubstr("Phone book (adn): the file's book holds no entry"));
    EXPECT_THAT(refused.out, Not(HasSubstr("written")));
    EXPECT_EQ(textOf(card), before);

    EXPECT_EQ(run({"write", "--allow-empty", path("empty.csv")}).status, 2);
    const CliResult allowed = run(
        {"write", "--pin-stdin", "--books", "adn", "--allow-empty", path("empty.csv")}, "1234\n");
    EXPECT_EQ(allowed.status, 0) << describe(allowed);
    EXPECT_NE(textOf(card), before);
}

TEST_F(CliTest, ACsvGoesToTheBookItsHeaderNamesAndAVerifiedWriteNamesWhatTheCardLeftUndone) {
    const std::filesystem::path card = useCardCopy(demoCard());
    // All books opened from a .csv: still only the ADN book is written.
    writeBytes(m_cli.settingsFile(), "[Options]\r\nSAVE_ONLY_ADN_CSV=0\r\n");
    writeBytes(m_folder / "adn.csv", "Name,Phone\r\nZed,+44p1w2\r\n");
    m_cli.setEnv("VIRTUALSIM_FAULTS", "A0DC#1=9000"); // answered as done, left undone
    const CliResult verified = run({"write", "--pin-stdin", "--verify", path("adn.csv")}, "1234\n");
    EXPECT_EQ(verified.status, 1) << describe(verified);
    EXPECT_THAT(verified.err, HasSubstr("\"+44p1w2\"")) << describe(verified);
    EXPECT_THAT(verified.err, HasSubstr("Phone book (adn): record 1 reads back"))
        << describe(verified);

    m_cli.setEnv("VIRTUALSIM_FAULTS", "A0DC#1=9240");
    const CliResult failed = run({"write", "--pin-stdin", path("adn.csv")}, "1234\n");
    EXPECT_EQ(failed.status, 1) << describe(failed);
    EXPECT_THAT(failed.err, HasSubstr("record 1: memory problem (92 40)")) << describe(failed);

    m_cli.setEnv("VIRTUALSIM_FAULTS", std::nullopt);
    const CliResult clean = run({"write", "--pin-stdin", "--verify", path("adn.csv")}, "1234\n");
    EXPECT_EQ(clean.status, 0) << describe(clean);
    EXPECT_EQ(clean.out, "Phone book (adn): written\n") << describe(clean);
}

TEST_F(CliTest, PinsNoKeypadCanTypeAreRefusedBeforeAnyCardCommand) {
    const std::string trace = path("trace.txt");
    m_cli.setEnv("VIRTUALSIM_TRACE", trace);
    for (const char* pin : {"12\n", "abcd\n", "12 34\n"}) {
        const CliResult result = run({"pin", "verify", "1", "--pin-stdin"}, pin);
        EXPECT_EQ(result.status, 1) << describe(result);
        EXPECT_THAT(result.err, HasSubstr("A PIN is 4 to 8 digits (0-9)")) << pin;
    }
    EXPECT_EQ(countOf(textOf(trace), " A020"), 0u) << "no VERIFY was sent";
    // Blanks around a line of standard input are dropped.
    EXPECT_EQ(run({"pin", "verify", "1", "--pin-stdin"}, " 1234 \n").status, 0);
}

TEST_F(CliTest, APinCheckTheCardAnsweredWithAnErrorIsNoRefusedPin) {
    useCardCopy(demoCard());
    m_cli.setEnv("VIRTUALSIM_FAULTS", "A020=6F00");
    const CliResult result = run({"pin", "verify", "1", "--pin-stdin"}, "1234\n");
    EXPECT_EQ(result.status, 1) << describe(result);
    EXPECT_EQ(result.err,
              "velmet-cli: The card answered the PIN1 check with an error, not with a verdict on "
              "the PIN: technical problem with no diagnostic given (6F XX). No attempt is known "
              "to have been used (3 left).\n");
}

TEST_F(CliTest, ASaveNeverReplacesWhatIsNoWritableRegularFile) {
    std::filesystem::create_symlink("/dev/null", m_folder / "null.phn");
    writeBytes(m_folder / "locked.phn", "kept");
    ASSERT_EQ(::chmod((m_folder / "locked.phn").c_str(), 0444), 0);
    writeBytes(m_folder / "book.csv", "Name,Phone\r\nAlice,123\r\n");
    for (const char* target : {"null.phn", "locked.phn"}) {
        const CliResult result = run({"convert", path("book.csv"), path(target)});
        EXPECT_EQ(result.status, 1) << describe(result);
    }
    EXPECT_TRUE(std::filesystem::is_symlink(m_folder / "null.phn"));
    EXPECT_EQ(textOf(m_folder / "locked.phn"), "kept");
}

TEST_F(CliTest, ShowNeitherSteersTheTerminalNorIgnoresALostOutput) {
    writeBytes(m_folder / "esc.csv", "Name,Phone\r\n\x1B]0;owned\x07"
                                     "Eve,123\r\n");
    const CliResult shown = run({"show", path("esc.csv")});
    EXPECT_EQ(shown.status, 0) << describe(shown);
    EXPECT_THAT(shown.out, HasSubstr("\\x1B]0;owned\\x07Eve"));
    EXPECT_THAT(shown.out, Not(HasSubstr("\x1B")));
    const std::string command = std::string(VELMET_CLI) + " --settings " + path("Velmet.ini") +
                                " show " + path("esc.csv") + " > /dev/full 2>/dev/null";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
}

} // namespace
} // namespace pelmora::test
