// print to PDF, read back with poppler's tools: the demo card's phone book
// line by line, page numbers of a long book, the logo as an image.

#include "CliRunner.h"

#include <cstdio>
#include <regex>
#include <set>
#include <sstream>

namespace pelmora::test {
namespace {

using ::testing::HasSubstr;

std::string commandOutput(const std::string& command) {
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            output.append(buffer, n);
        }
        ::pclose(pipe);
    }
    return output;
}

std::string collapsed(const std::string& line) {
    return std::regex_replace(std::regex_replace(line, std::regex("\\s+"), " "),
                              std::regex("^ | $"), "");
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(collapsed(line));
    }
    return lines;
}

class PrintCommand : public CliTest {
protected:
    void useOptions(const std::string& lines) {
        writeBytes(m_cli.settingsFile(), "[Options]\r\n" + lines);
    }
    std::string pdfText(const std::string& pdf) {
        return commandOutput("pdftotext -layout '" + path(pdf) + "' -");
    }
};

TEST_F(PrintCommand, DemoPhoneBookPrintsHeaderAndEveryEntryOnItsLine) {
    useOptions("PRINTTITLE=Family phones\r\n");
    const CliResult printed =
        run({"print", "--card", "--pin-stdin", "-o", path("adn.pdf")}, "1234\n");
    ASSERT_EQ(printed.status, 0) << describe(printed);
    EXPECT_EQ(printed.err, "");
    const std::vector<std::string> pdf = linesOf(pdfText("adn.pdf"));
    ASSERT_GE(pdf.size(), 4u);
    EXPECT_EQ(pdf[0], "Family phones");
    EXPECT_EQ(pdf[1], "Pelmora 2");
    EXPECT_EQ(pdf[2], "Phone book");

    ASSERT_EQ(
        run({"read", "--pin-stdin", "--books", "adn", "-o", path("adn.phn")}, "1234\n").status, 0);
    const CliResult shown = run({"show", path("adn.phn")});
    const std::set<std::string> printedLines(pdf.begin(), pdf.end());
    size_t entries = 0;
    for (const std::string& row : linesOf(shown.out)) {
        if (std::isdigit(static_cast<unsigned char>(row[0]))) {
            EXPECT_TRUE(printedLines.count(row)) << row;
            ++entries;
        }
    }
    EXPECT_GT(entries, 20u);
}

TEST_F(PrintCommand, LongBookGetsItsPagesNumberedInOrder) {
    std::string csv = "Name,Phone\r\n";
    for (int i = 1; i <= 1000; ++i) {
        csv += "Contact " + std::to_string(i) + "," + std::to_string(5550000 + i) + "\r\n";
    }
    writeBytes(path("long.csv"), csv);
    useOptions("PRINTSOURCE=0\r\nPRINTPRGNAME=0\r\nPRINTDATA=0\r\n");
    const CliResult printed = run({"print", path("long.csv"), "-o", path("long.pdf")});
    ASSERT_EQ(printed.status, 0) << describe(printed);

    std::vector<std::vector<std::string>> pages;
    std::istringstream text(pdfText("long.pdf"));
    for (std::string page; std::getline(text, page, '\f');) {
        pages.push_back(linesOf(page));
        std::erase(pages.back(), "");
    }
    std::erase_if(pages, [](const auto& lines) { return lines.empty(); });
    ASSERT_GT(pages.size(), 1u);
    // Without a header every page holds as many entries as the first.
    const size_t perPage = pages[0].size() - 1;
    const size_t expected = (1000 + perPage - 1) / perPage;
    EXPECT_EQ(pages.size(), expected);
    EXPECT_THAT(commandOutput("pdfinfo '" + path("long.pdf") + "'"),
                ::testing::ContainsRegex("Pages: +" + std::to_string(expected) + "\n"));
    EXPECT_EQ(printed.out,
              "Printed " + std::to_string(expected) + " pages to " + path("long.pdf") + "\n");
    int position = 0;
    for (size_t n = 0; n < pages.size(); ++n) {
        EXPECT_EQ(pages[n].back(), std::to_string(n + 1));
        for (size_t i = 0; i + 1 < pages[n].size(); ++i) {
            ++position;
            EXPECT_EQ(pages[n][i], std::to_string(position) + " Contact " +
                                       std::to_string(position) + " " +
                                       std::to_string(5550000 + position));
        }
    }
    EXPECT_EQ(position, 1000);
}

TEST_F(PrintCommand, LogoPictureBecomesAnImageOfTheFirstPage) {
    writeBytes(path("book.csv"), "Name,Phone\r\nAda,123\r\n");
    useOptions("PRINTLOGO=" + std::string(PELMORA_TEST_DATA) + "/logo.png\r\n");
    ASSERT_EQ(run({"print", path("book.csv"), "-o", path("logo.pdf")}).status, 0);
    const std::string images = commandOutput("pdfimages -list '" + path("logo.pdf") + "'");
    EXPECT_THAT(images, ::testing::ContainsRegex("\n +1 +0 +image +24 +24 "));
    EXPECT_EQ(countOf(images, "image"), 1u);
}

TEST_F(PrintCommand, RefusesUnclearRequests) {
    writeBytes(path("book.csv"), "Name,Phone\r\nAda,123\r\n");
    const std::vector<std::vector<std::string>> requests = {
        {"print", path("book.csv")},
        {"print", path("book.csv"), "-o", path("out.txt")},
        {"print", path("book.csv"), "--card", "-o", path("out.pdf")},
        {"print", "-o", path("out.pdf")},
    };
    for (const auto& request : requests) {
        const CliResult result = run(request);
        EXPECT_EQ(result.status, 2) << describe(result);
    }
    const CliResult noBook =
        run({"print", path("book.csv"), "--book", "sms", "-o", path("out.pdf")});
    EXPECT_EQ(noBook.status, 1);
    EXPECT_THAT(noBook.err, HasSubstr("holds no Short messages (sms) book"));
}

} // namespace
} // namespace pelmora::test
