#pragma once
// What the readers sent to their cards and what came back: a count per
// reader, the last commands in memory and, when asked, one line per command
// appended to a file (for tests that watch another process).

#include <cstdint>
#include <deque>
#include <filesystem>
#include <map>
#include <span>
#include <vector>

namespace virtualsim {

struct TracedApdu {
    int reader = 0;
    long result = 0;
    std::vector<uint8_t> command;
    std::vector<uint8_t> response;
};

class ApduTrace {
public:
    static constexpr size_t kKept = 65536;

    void setFile(std::filesystem::path file) { m_file = std::move(file); }
    void record(int reader, std::span<const uint8_t> command, std::span<const uint8_t> response,
                long result);
    void clear();

    [[nodiscard]] size_t count(int reader) const; // reader < 0: all
    [[nodiscard]] const std::deque<TracedApdu>& entries() const { return m_entries; }

private:
    void appendLine(const TracedApdu& apdu) const;

    std::filesystem::path m_file;
    std::deque<TracedApdu> m_entries;
    std::map<int, size_t> m_counts;
    size_t m_total = 0;
};

} // namespace virtualsim
