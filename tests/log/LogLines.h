#pragma once
// Reads a log file back: the level line, then one entry per "\r\n[" line.

#include "Log.h"
#include "TestFiles.h"

#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

namespace pelmora::test {

struct LogLine {
    std::string time; // "hh:mm:ss:mmm" with blank padding
    std::string label;
    std::string tag;
    std::string message;
};

inline std::string readText(const std::filesystem::path& file) {
    const std::vector<uint8_t> bytes = readBytes(file);
    return {bytes.begin(), bytes.end()};
}

// The entries after the file's first line; an entry that does not have the
// line format gives a LogLine with only the message set to its text.
inline std::vector<LogLine> logLines(const std::filesystem::path& file) {
    static const std::regex format(
        R"(\[([ \d]{2}:[ \d]{2}:[ \d]{2}:[ \d]{3})\] (ERROR  |WARNING|TRACE  ) \[([^\]]*)\] ([\s\S]*))");
    const std::string text = readText(file);
    std::vector<LogLine> lines;
    size_t at = text.find("\r\n[");
    while (at != std::string::npos) {
        const size_t next = text.find("\r\n[", at + 3);
        const std::string entry =
            text.substr(at + 2, next == std::string::npos ? std::string::npos : next - at - 2);
        std::smatch match;
        if (std::regex_match(entry, match, format)) {
            lines.push_back({match[1], match[2], match[3], match[4]});
        } else {
            lines.push_back({"", "", "", entry});
        }
        at = next;
    }
    return lines;
}

// Gives the test its own log roots and this copy of the module a clean state.
class LogRoots {
public:
    LogRoots() { use(m_root.path().string()); }
    void use(const std::string& roots) {
        ::setenv("PELMORA_LOG_ROOTS", roots.c_str(), 1);
        log::disable_logging();
    }
    [[nodiscard]] const TempFolder& root() const { return m_root; }

private:
    TempFolder m_root;
};

} // namespace pelmora::test
