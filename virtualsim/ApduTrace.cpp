#include "ApduTrace.h"

#include "HexDigits.h"
#include <cstdio>
#include <string>

namespace virtualsim {

namespace {

void appendHex(std::string& line, std::span<const uint8_t> bytes) {
    pelmora::platform::appendHexBytes(line, bytes);
}

} // namespace

void ApduTrace::record(int reader, std::span<const uint8_t> command,
                       std::span<const uint8_t> response, long result) {
    TracedApdu apdu{
        reader, result, {command.begin(), command.end()}, {response.begin(), response.end()}};
    if (!m_file.empty())
        appendLine(apdu);
    ++m_counts[reader];
    ++m_total;
    m_entries.push_back(std::move(apdu));
    if (m_entries.size() > kKept)
        m_entries.pop_front();
}

void ApduTrace::clear() {
    m_entries.clear();
    m_counts.clear();
    m_total = 0;
}

size_t ApduTrace::count(int reader) const {
    if (reader < 0)
        return m_total;
    auto found = m_counts.find(reader);
    return found == m_counts.end() ? 0 : found->second;
}

// One line per command: "<reader> <command hex> <response hex> <result hex>".
void ApduTrace::appendLine(const TracedApdu& apdu) const {
    std::string line = std::to_string(apdu.reader) + " ";
    appendHex(line, apdu.command);
    line += ' ';
    if (apdu.response.empty())
        line += '-';
    appendHex(line, apdu.response);
    char result[16];
    std::snprintf(result, sizeof result, " %08lX\n", static_cast<unsigned long>(apdu.result));
    line += result;
    if (FILE* file = std::fopen(m_file.c_str(), "a")) {
        std::fwrite(line.data(), 1, line.size(), file);
        std::fclose(file);
    }
}

} // namespace virtualsim
