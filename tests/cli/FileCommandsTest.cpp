// show, convert and sms on files: the demo card read once into a .phn file,
// then printed, converted and converted back; files that cannot be read.

#include "CliRunner.h"

#include <algorithm>
#include <cstdio>

#include <sys/wait.h>

namespace pelmora::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class DemoFile : public CliTest {
protected:
    void SetUp() override {
        const CliResult read = run({"read", "--pin-stdin", "-o", path("demo.phn")}, "1234\n");
        ASSERT_EQ(read.status, 0) << describe(read);
    }
    std::string show(const std::string& file, const std::string& book) {
        const CliResult result = run({"show", path(file), "--book", book});
        EXPECT_EQ(result.status, 0) << describe(result);
        return result.out;
    }
};

TEST_F(DemoFile, ShowPrintsTheUsedEntriesOfEachBookOrOfTheOneNamed) {
    const CliResult all = run({"show", path("demo.phn")});
    ASSERT_EQ(all.status, 0) << describe(all);
    for (const char* caption :
         {"Nextel phone book (iden, 60 records)", "Phone book (adn, 250 records)",
          "Own numbers (msisdn, 2 records)", "Short messages (sms, 30 records)"}) {
        EXPECT_THAT(all.out, HasSubstr(caption));
    }
    EXPECT_THAT(all.out, HasSubstr("1     Alice Morgan    +447700900101\n"));
    EXPECT_THAT(all.out, HasSubstr("Иван Петров"));

    const std::string fdn = show("demo.phn", "6F3B");
    EXPECT_THAT(fdn, HasSubstr("Fixed dialling numbers (fdn"));
    EXPECT_THAT(fdn, Not(HasSubstr("Alice Morgan")));
}

TEST_F(DemoFile, PhnToCsvToPhnKeepsEveryEntry) {
    // The phone book alone comes back as it was.
    ASSERT_EQ(
        run({"read", "--pin-stdin", "--books", "adn", "-o", path("adn.phn")}, "1234\n").status, 0);
    ASSERT_EQ(run({"convert", path("adn.phn"), path("adn.csv")}).status, 0);
    ASSERT_EQ(run({"convert", path("adn.csv"), path("adn-back.phn")}).status, 0);
    const std::string before = show("adn.phn", "adn");
    const std::string after = show("adn-back.phn", "adn");
    // Only the book sizes differ: a book from a .csv file takes the settings' size.
    ASSERT_NE(before.find('\n'), std::string::npos);
    ASSERT_NE(after.find('\n'), std::string::npos);
    EXPECT_EQ(before.substr(before.find('\n')), after.substr(after.find('\n')));
    EXPECT_THAT(before, HasSubstr("Last Entry"));

    // With the iDEN book the .csv file has its twelve columns, and every
    // contact of both books comes back in the iDEN book.
    const CliResult toCsv = run({"convert", path("demo.phn"), path("demo.csv")});
    ASSERT_EQ(toCsv.status, 0) << describe(toCsv);
    const CliResult back = run({"convert", path("demo.csv"), path("back.phn")});
    ASSERT_EQ(back.status, 0) << describe(back);
    const std::string iden = show("back.phn", "iden");
    for (const char* contact : {"Dispatch Center", "Field Team 7", "Alice Morgan", "Иван Петров",
                                "王小明", "Last Entry"}) {
        EXPECT_THAT(iden, HasSubstr(contact));
    }
}

TEST_F(DemoFile, PhnToVcfToPhnKeepsEveryEntry) {
    const CliResult toVcf = run({"convert", path("demo.phn"), path("demo.vcf")});
    ASSERT_EQ(toVcf.status, 0) << describe(toVcf);
    const CliResult back = run({"convert", path("demo.vcf"), path("back.phn")});
    ASSERT_EQ(back.status, 0) << describe(back);
    const std::string before = show("demo.phn", "adn");
    const std::string after = show("back.phn", "adn");
    EXPECT_EQ(before.substr(before.find('\n')), after.substr(after.find('\n')));
    EXPECT_THAT(after, HasSubstr("+442079460133p123456789#"));
    const std::string iden = show("back.phn", "iden");
    for (const char* value : {"Dispatch Center", "100*20*300", "Tom Becker", "2025550152", "*86",
                              "team7@ex.io", "10.0.0.1", "2000*500*1500"}) {
        EXPECT_THAT(iden, HasSubstr(value));
    }
    // The demo card holds an e-mail address the iDEN book's e-mail field refuses:
    // it is named, not dropped unseen.
    EXPECT_THAT(back.err, HasSubstr("\"operations-and-logistics@fleet.example.net\" is no value an "
                                    "iDEN entry can hold"));
}

TEST_F(DemoFile, AnIndependentVcardParserReadsTheExport) {
    ASSERT_EQ(run({"convert", path("demo.phn"), path("demo.vcf")}).status, 0);
    const std::string command =
        std::string("/usr/bin/python3 " READ_VCARDS_SCRIPT " '") + path("demo.vcf") + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        out.append(buffer, n);
    }
    const int status = pclose(pipe);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) {
        GTEST_SKIP() << "python3-vobject is not installed";
    }
    ASSERT_EQ(status, 0) << out;
    for (const char* line :
         {"Alice Morgan | TEL[]=+447700900101\n", "Иван Петров | TEL[]=+74951234567\n",
          "王小明 | TEL[]=+8613812345678\n", "Divert to Mum | TEL[]=**21*07700900108#\n",
          "Tom Becker | TEL[X-OTHER]=*86 TEL[WORK]=+12025550150 TEL[PAGER]=2025550152 "
          "TEL[FAX]=+12025550151\n",
          "Maria Lopez | TEL[HOME]=+12025550148 TEL[CELL]=+12025550147 "
          "EMAIL[INTERNET]=maria@example.com\n"}) {
        EXPECT_THAT(out, HasSubstr(line));
    }
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 50) << out;
}

TEST_F(CliTest, APhonesVcardIsWrittenToTheCard) {
    useCardCopy(demoCard());
    writeBytes(
        m_folder / "phone.vcf",
        "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:;=C3=89lo=\r\n"
        "=C3=AFse;;;\r\nTEL;CELL:+33612345678\r\nTEL;WORK:+33112345678\r\nEND:VCARD\r\n");
    const CliResult written =
        run({"write", "--pin-stdin", "--books", "adn", path("phone.vcf")}, "1234\n");
    ASSERT_EQ(written.status, 0) << describe(written);
    ASSERT_EQ(
        run({"read", "--pin-stdin", "--books", "adn", "-o", path("card.vcf")}, "1234\n").status, 0);
    const std::vector<uint8_t> bytes = readBytes(m_folder / "card.vcf");
    const std::string card(bytes.begin(), bytes.end());
    EXPECT_THAT(
        card,
        HasSubstr("FN:\xC3\x89lo\xC3\xAFse\r\nN:;\xC3\x89lo\xC3\xAFse;;;\r\nTEL:+33612345678\r\n"));
    EXPECT_THAT(card, HasSubstr("FN:\xC3\x89lo\xC3\xAFse/W\r\n"));
    EXPECT_THAT(card, Not(HasSubstr("Alice Morgan")));
}

TEST_F(DemoFile, SmsListsTheMessagesOfAFile) {
    const CliResult listed = run({"sms", path("demo.phn")});
    ASSERT_EQ(listed.status, 0) << describe(listed);
    EXPECT_THAT(listed.out,
                HasSubstr("1     +447700900101   03/14/25 12:05  Hi! Are we still on for "
                          "lunch tomorrow?\n"));
    EXPECT_THAT(listed.out, HasSubstr("Привет! Как дела?"));
}

TEST_F(CliTest, MessagesDeletedOnTheCardAreListedOnlyWhenTheSettingsSaySo) {
    const CliResult plain = run({"sms", "--pin-stdin"}, "1234\n");
    ASSERT_EQ(plain.status, 0) << describe(plain);
    EXPECT_THAT(plain.out, Not(HasSubstr("Can you call me back?")));

    writeBytes(m_cli.settingsFile(), "[Options]\r\nSHOW_DELETED_SMS=1\r\n");
    const CliResult withDeleted = run({"sms", "--pin-stdin"}, "1234\n");
    ASSERT_EQ(withDeleted.status, 0) << describe(withDeleted);
    EXPECT_THAT(withDeleted.out, HasSubstr("(deleted) Can you call me back?"));
}

TEST_F(CliTest, CsvFilesAreReadAndWrittenWithTheSettingsOfTheUser) {
    writeBytes(m_folder / "few.csv", "Name,Phone\r\nAda,+441632960000\r\n\"Lovelace, A\",123\r\n");
    const CliResult shown = run({"show", path("few.csv")});
    ASSERT_EQ(shown.status, 0) << describe(shown);
    EXPECT_THAT(shown.out, HasSubstr("Phone book (adn, 300 records)"));
    EXPECT_THAT(shown.out, HasSubstr("2     Lovelace, A  123"));

    // The size of a book made from a .csv file is the user's.
    writeBytes(m_cli.settingsFile(), "[Options]\r\nADNLEN=7\r\n");
    const CliResult sized = run({"show", path("few.csv")});
    EXPECT_THAT(sized.out, HasSubstr("Phone book (adn, 7 records)")) << describe(sized);
}

struct BadInput {
    const char* name;
    const char* file;
    const char* content; // nullptr: the file is not made; "/": a folder
    std::vector<std::string> command;
    const char* said;
};

// Short test names in the test lists.
void PrintTo(const BadInput& c, std::ostream* out) {
    *out << c.name;
}

class BadInputFile : public CliTest, public ::testing::WithParamInterface<BadInput> {};

TEST_P(BadInputFile, IsAFailureWithAClearMessageAndWritesNothing) {
    const BadInput& c = GetParam();
    const std::string file = path(c.file);
    if (c.content != nullptr && std::string(c.content) == "/") {
        std::filesystem::create_directory(file);
    } else if (c.content != nullptr) {
        writeBytes(file, c.content);
    }
    std::vector<std::string> arguments = c.command;
    for (std::string& word : arguments) {
        if (word == "IN") {
            word = file;
        } else if (word == "OUT") {
            word = path("out.phn");
        }
    }
    const CliResult result = run(arguments, "1234\n5678\n");
    EXPECT_EQ(result.status, 1) << describe(result);
    EXPECT_THAT(result.err, HasSubstr("cannot read '" + file + "'")) << describe(result);
    EXPECT_THAT(result.err, HasSubstr(c.said)) << describe(result);
    EXPECT_EQ(result.out, "");
    EXPECT_FALSE(std::filesystem::exists(path("out.phn")));
}

INSTANTIATE_TEST_SUITE_P(
    Cli, BadInputFile,
    ::testing::Values(
        BadInput{"MissingPhn", "none.phn", nullptr, {"show", "IN"}, "No such file"},
        BadInput{"MissingCsv", "none.csv", nullptr, {"convert", "IN", "OUT"}, "No such file"},
        BadInput{"Folder", "books.phn", "/", {"convert", "IN", "OUT"}, "it is a folder"},
        BadInput{"NoBookSections",
                 "notes.phn",
                 "[Notes]\r\ntext=hello\r\n",
                 {"show", "IN"},
                 "no phone book"},
        BadInput{"BinaryPhn",
                 "blob.phn",
                 "\x7f"
                 "ELF\x02\x01\x01\0\0\0\xff\xfe\x00[",
                 {"sms", "IN"},
                 "no phone book"},
        BadInput{"WriteOfAMissingFile",
                 "none.phn",
                 nullptr,
                 {"write", "--pin-stdin", "IN"},
                 "No such file"},
        BadInput{"WriteOfAMalformedFile",
                 "notes.phn",
                 "n1=no section\r\n",
                 {"write", "--pin-stdin", "IN"},
                 "no phone book"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliTest, AFileWithoutTheBookAskedForIsAFailure) {
    writeBytes(m_folder / "few.csv", "Name,Phone\r\nAda,1\r\n");
    const CliResult book = run({"show", path("few.csv"), "--book", "fdn"});
    EXPECT_EQ(book.status, 1) << describe(book);
    EXPECT_THAT(book.err, HasSubstr("holds no Fixed dialling numbers (fdn) book"));
    const CliResult messages = run({"sms", path("few.csv")});
    EXPECT_EQ(messages.status, 1) << describe(messages);
    EXPECT_THAT(messages.err, HasSubstr("holds no short messages"));
}

} // namespace
} // namespace pelmora::test
