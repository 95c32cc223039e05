// The trace lines of SELECT and STATUS in the plug-in's "asd" log.
#include "ScriptedCardFixture.h"

#include "Log.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace brontel {
namespace {

namespace fs = std::filesystem;

class TraceLog : public ScriptedCard {
protected:
    static void SetUpTestSuite() {
        char pattern[] = "/tmp/brontel-trace-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        s_root = pattern;
        std::ofstream(s_root / "asd.log") << "3\r\n";
        setenv("PELMORA_LOG_ROOTS", s_root.c_str(), 1);
        pelmora::log::init_log("asd");
    }
    static void TearDownTestSuite() { fs::remove_all(s_root); }

    // The log text written since the last call.
    static std::string newLines() {
        std::ifstream in(s_root / "asd.log", std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        std::string text = all.str();
        std::string fresh = text.substr(std::min(s_seen, text.size()));
        s_seen = text.size();
        return fresh;
    }

    static fs::path s_root;
    static size_t s_seen;
};

fs::path TraceLog::s_root;
size_t TraceLog::s_seen = 0;

bool hasLine(const std::string& log, const std::string& tag, const std::string& message) {
    return log.find("TRACE   [" + tag + "] " + message + "\r\n") != std::string::npos ||
           log.ends_with("TRACE   [" + tag + "] " + message);
}

TEST_F(TraceLog, SelectAndElementaryFileDescription) {
    connect();
    newLines();
    answer({0x9F, 0x0F});
    SimFileInfo info;
    ASSERT_EQ(card.select(files::kAdn, &info.length), 1);
    answer({0x00, 0x00, 0x01, 0xF4, 0x6F, 0x3A, 0x04, 0x40, 0x12, 0xF0, 0x4A, 0x01, 0x02, 0x01,
            0x1C, 0x90, 0x00});
    ASSERT_EQ(card.status(&info, 0), 1);

    const std::string log = newLines();
    EXPECT_TRUE(hasLine(log, "SIMCard::select", "id:6F3A len:0")) << log;
    EXPECT_TRUE(hasLine(log, "SIMCard::select", "res: 009F 15")) << log;
    EXPECT_TRUE(hasLine(log, "SIMCard::status", "len:15 gs:0")) << log;
    EXPECT_TRUE(hasLine(log, "SIMCard::status", "res:0090 0000")) << log;
    EXPECT_TRUE(hasLine(log, "SIMCard::status", "id:6F3A ft:4")) << log;
    EXPECT_TRUE(hasLine(log, "SIMCard::status",
                        "fs:500 fst:1 rl:28 ci:1 ivd:0 ri:0 rs:1 u:2 ic:15 iv:10 rh:4"))
        << log;
}

TEST_F(TraceLog, DirectoryDescription) {
    connect();
    newLines();
    answer({0x00, 0x00, 0x1A, 0x2B, 0x3F, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,
            0x0A, 0xB1, 0x03, 0x05, 0x04, 0x00, 0x83, 0x8A, 0x82, 0x89, 0x90, 0x00});
    SimFileInfo info;
    ASSERT_EQ(card.status(&info, 1), 1);
    const std::string log = newLines();
    EXPECT_TRUE(hasLine(log, "SIMCard::status", "len:0 gs:1")) << log;
    EXPECT_TRUE(hasLine(log, "SIMCard::status", "id:3F00 ft:1")) << log;
    EXPECT_TRUE(hasLine(log, "SIMCard::status", "dd:3 fd:5 pin:1 lpin1:3 lpuk1:10 lpin2:2 lpuk2:9"))
        << log;
}

TEST_F(TraceLog, FailedTransmissionWritesNoResultLine) {
    connect();
    newLines();
    scripted_set_transmit_result(static_cast<long>(SCARD_W_REMOVED_CARD));
    EXPECT_EQ(card.select(files::kTelecom), 0);
    const std::string log = newLines();
    EXPECT_TRUE(hasLine(log, "SIMCard::select", "id:7F10 len:0")) << log;
    EXPECT_EQ(log.find("res:"), std::string::npos) << log;
}

TEST_F(TraceLog, OtherCommandsAreSilentAndCodesNeverLogged) {
    connect();
    newLines();
    card.verify_chv("2468", 1);
    card.change_chv("2468", "1357", 1);
    uint8_t buffer[8];
    card.read_record(1, 8, SIMCard::kModeAbsolute, buffer);
    card.read_binary(0, buffer, 8);
    EXPECT_EQ(newLines(), "");
}

} // namespace
} // namespace brontel
