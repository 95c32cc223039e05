#include "LogLines.h"

#include "CodePage.h"
#include "FileTime.h"
#include "Folders.h"
#include "ModuleVersion.h"
#include "SystemInfo.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace pelmora::log {
namespace {

using test::logLines;
using test::writeBytes;

class LogTest : public ::testing::Test {
protected:
    [[nodiscard]] std::filesystem::path file(const char* name = "wenlo.log") const {
        return m_roots.root() / name;
    }
    // Starts logging with the given level line; the header is dropped.
    void start(std::string_view levelLine) {
        writeBytes(file(), levelLine);
        init_log("wenlo");
        writeBytes(file(), levelLine);
    }

    test::LogRoots m_roots;
};

TEST_F(LogTest, WithoutALogFileNothingIsWrittenAndErrnoIsKept) {
    errno = EDOM;
    init_log("wenlo");
    EXPECT_EQ(errno, EDOM);
    EXPECT_EQ(log_message(kError, "test", "%d", 1), 0);
    EXPECT_EQ(errno, EDOM);
    EXPECT_TRUE(m_roots.root().entries().empty());
}

TEST_F(LogTest, ErrnoIsKeptWhileWriting) {
    start("3\r\n");
    errno = ERANGE;
    EXPECT_EQ(log_message(kTrace, "test", "written"), 1);
    EXPECT_EQ(errno, ERANGE);
    std::filesystem::remove(file()); // the open now fails
    EXPECT_EQ(log_message(kTrace, "test", "lost"), 1);
    EXPECT_EQ(errno, ERANGE);
    errno = ENOENT;
    enable_logging();
    init_log("wenlo");
    disable_logging();
    EXPECT_EQ(errno, ENOENT);
}

TEST_F(LogTest, LinesHaveTheFixedFormat) {
    start("3\r\n");
    const SystemTime before = platform::currentUtcTime();
    EXPECT_EQ(log_message(kError, "SIMCard::select", "sw %04X, %s", 0x9F17, "ok"), 1);
    EXPECT_EQ(log_message(kWarning, "dllmain", "w"), 1);
    EXPECT_EQ(log_message(kTrace, "init_log", "t"), 1);
    const std::string text = test::readText(file());
    ASSERT_TRUE(text.starts_with("3\r\n\r\n["));
    const auto lines = logLines(file());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].label, "ERROR  ");
    EXPECT_EQ(lines[0].tag, "SIMCard::select");
    EXPECT_EQ(lines[0].message, "sw 9F17, ok");
    EXPECT_EQ(lines[1].label, "WARNING");
    EXPECT_EQ(lines[2].label, "TRACE  ");
    EXPECT_FALSE(text.ends_with("\r\n")); // each line starts, not ends, with the break
    // UTC, blank-padded: "[ 9: 5: 3: 42]".
    const int hour = std::stoi(lines[0].time.substr(0, 2));
    EXPECT_TRUE(hour == before.hour || hour == (before.hour + 1) % 24) << lines[0].time;
}

TEST_F(LogTest, LevelComesFromTheFirstByte) {
    const struct {
        std::string_view content;
        unsigned level;
    } cases[] = {
        {"1", 1}, {"2\r\n", 2}, {"3", 3}, {"0", 3}, {"9", 3}, {"x", 3}, {"", 3}, {{"\0", 1}, 3},
    };
    for (const auto& c : cases) {
        m_roots.use(m_roots.root().path().string());
        start(c.content);
        const int shown[] = {log_message(kError, "t", "e"), log_message(kWarning, "t", "w"),
                             log_message(kTrace, "t", "t"), log_message(0, "t", "zero"),
                             log_message(4, "t", "four"),   log_message(-1, "t", "negative")};
        for (int level = 1; level <= 3; ++level) {
            EXPECT_EQ(shown[level - 1], level <= static_cast<int>(c.level) ? 1 : 0)
                << "content '" << c.content << "' level " << level;
        }
        EXPECT_EQ(shown[3] + shown[4] + shown[5], 0);
        EXPECT_EQ(logLines(file()).size(), c.level) << "content '" << c.content << "'";
    }
}

TEST_F(LogTest, HeaderDescribesProgramModulesAndDate) {
    writeBytes(file(), "2");
    const std::filesystem::path modules[] = {platform::programPath(), "/no/such/libBrontel.so"};
    init_log("wenlo", modules);
    const ModuleVersion program = moduleVersion();
    const SystemTime today = platform::currentUtcTime();
    const std::vector<std::string> expected = {
        "\n\nSTART LOGFILE",
        "Path:" + platform::programPath().string(),
        "version:" + program.fileVersion,
        "p version:" PELMORA_VERSION,
        "p name:Pelmora",
        osDescription(),
        uiLanguageName(),
        "",
        processorDescription(),
        memoryDescription(),
        "Path:" + platform::programPath().string(),
        "version:" + program.fileVersion,
        "product version:" PELMORA_VERSION,
        "product name:Pelmora",
        "Path:/no/such/libBrontel.so",
        "version:Unknown",
        "product version:Unknown",
        "product name:Unknown",
        "date: " + std::to_string(today.year) + " " + std::to_string(today.month) + " " +
            std::to_string(today.day),
    };
    const auto lines = logLines(file());
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].label, "WARNING");
        EXPECT_EQ(lines[i].tag, "init_log");
        EXPECT_EQ(lines[i].message, expected[i]) << "line " << i;
    }
    EXPECT_NE(memoryDescription().find(" MB RAM"), std::string::npos);
}

TEST_F(LogTest, LongLinesAreCutAt4351Characters) {
    start("3");
    const std::string longText(10000, 'x');
    EXPECT_EQ(log_message(kTrace, "t", "%s", longText.c_str()), 1);
    // Non-ASCII text counts in characters and is written in the code page.
    std::string accents;
    for (int i = 0; i < 5000; ++i) {
        accents += "\xC3\xA9"; // é, one byte in 1252
    }
    EXPECT_EQ(log_message(kTrace, "t", "%s", accents.c_str()), 1);
    const std::string text = test::readText(file());
    const size_t second = text.find("\r\n[", 4);
    ASSERT_NE(second, std::string::npos);
    EXPECT_EQ(second - 1, 4351u); // after the level line "3"
    EXPECT_EQ(text.size() - second, 4351u);
    EXPECT_EQ(text.back(), '\xE9');
}

// The code page is chosen once per process: CMake runs this test a second
// time in a process of its own with PELMORA_CODEPAGE=932.
TEST_F(LogTest, DoubleByteCodePagesStayWithinTheLimit) {
    if (platform::ansiCodePage() != 932) {
        GTEST_SKIP() << "runs with PELMORA_CODEPAGE=932";
    }
    start("3");
    std::string text;
    for (int i = 0; i < 3000; ++i) {
        text += "\xE6\x97\xA5"; // one character, two bytes in 932
    }
    EXPECT_EQ(log_message(kTrace, "t", "%s", text.c_str()), 1);
    const std::string bytes = test::readText(file()).substr(1);
    EXPECT_LE(bytes.size(), 4351u);
    EXPECT_GT(bytes.size(), 4300u);
    EXPECT_EQ(platform::fromCodePage(bytes, 932).find(u'\uFFFD'), std::u16string::npos);
}

TEST_F(LogTest, FirstRootHoldingTheFileWins) {
    test::TempFolder second;
    test::TempFolder third;
    const std::filesystem::path notAFolder = second / "plain-file";
    writeBytes(notAFolder, "");
    std::filesystem::create_directory(second / "wenlo.log"); // not a file: passed over
    m_roots.use("/no/such/root::" + notAFolder.string() + ":" + second.path().string() + ":" +
                third.path().string() + ":" + m_roots.root().path().string());
    writeBytes(third / "wenlo.log", "1");
    writeBytes(m_roots.root() / "wenlo.log", "3");
    init_log("wenlo");
    EXPECT_EQ(log_message(kError, "t", "here"), 1);
    EXPECT_EQ(log_message(kWarning, "t", "filtered"), 0);
    ASSERT_EQ(logLines(third / "wenlo.log").size(), 1u);
    EXPECT_TRUE(logLines(m_roots.root() / "wenlo.log").empty());
}

TEST_F(LogTest, TheFileIsTheSwitch) {
    start("3");
    std::filesystem::remove(file());
    EXPECT_EQ(log_message(kTrace, "t", "lost"), 1); // formatted, not written
    EXPECT_FALSE(std::filesystem::exists(file()));
    writeBytes(file(), "");
    EXPECT_EQ(log_message(kTrace, "t", "back"), 1);
    ASSERT_EQ(logLines(file()).size(), 1u);
    EXPECT_EQ(logLines(file())[0].message, "back");

    init_log("other"); // a second start changes nothing
    EXPECT_EQ(log_message(kTrace, "t", "still"), 1);
    EXPECT_EQ(logLines(file()).size(), 2u);
}

TEST_F(LogTest, EnablingCreatesEveryLogOfTheOptionInTheFirstRoot) {
    test::TempFolder other;
    const std::filesystem::path first = m_roots.root() / "not" / "yet";
    m_roots.use(first.string() + ":" + other.path().string());
    writeBytes(other / "asd.log", "1");
    enable_logging();
    for (const char* name : {"wenlo.log", "wenlo_dll.log", "asd.log"}) {
        EXPECT_EQ(test::readText(first / name), "3\r\n") << name;
    }
    // An existing file keeps its level.
    writeBytes(first / "wenlo.log", "2");
    enable_logging("wenlo");
    EXPECT_EQ(test::readText(first / "wenlo.log"), "2");

    init_log("wenlo");
    EXPECT_EQ(log_message(kWarning, "t", "on"), 1);
    writeBytes(other / "wenlo.log", "3");
    writeBytes(other / "unrelated.log", "3");
    disable_logging();
    EXPECT_EQ(log_message(kError, "t", "off"), 0);
    EXPECT_TRUE(std::filesystem::is_empty(first));
    EXPECT_EQ(other.entries(), std::vector<std::string>{"unrelated.log"});
}

} // namespace
} // namespace pelmora::log
