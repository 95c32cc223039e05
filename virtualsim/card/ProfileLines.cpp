#include "ProfileLines.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>

namespace virtualsim {

namespace {

// The text as UTF-16 code units narrowed to ASCII: names and keys of a card
// profile are ASCII, so anything else only needs to stay on its line.
std::string asciiText(std::span<const uint8_t> bytes) {
    std::string text;
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const unsigned unit = bytes[i] | bytes[i + 1] << 8;
            text.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
        }
        return text;
    }
    size_t start = 0;
    if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        start = 3;
    }
    for (size_t i = start; i < bytes.size(); ++i) {
        text.push_back(bytes[i] < 0x80 ? static_cast<char>(bytes[i]) : '?');
    }
    return text;
}

// Blanks as the INI reader trims them: a carriage return inside a line is
// text to it, so it is text here too.
std::string trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string at(size_t line, const std::string& problem) {
    return "line " + std::to_string(line) + ": " + problem;
}

} // namespace

std::variant<ProfileLines, std::string> ProfileLines::scan(std::span<const uint8_t> bytes) {
    ProfileLines result;
    const std::string text = asciiText(bytes);
    // Names as compared (lower case) -> the line that gave them first.
    std::unordered_map<std::string, size_t> sectionLines;
    std::unordered_map<std::string, size_t> keyLines;
    size_t number = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        ++number;
        std::string_view raw = std::string_view(text).substr(start, end - start);
        if (raw.ends_with('\r')) {
            raw.remove_suffix(1);
        }
        const std::string line = trimmed(raw);
        start = end + 1;
        if (line.empty() || line[0] == ';') {
            continue;
        }
        if (line[0] == '[') {
            if (line.back() != ']') {
                return at(number, "a section name ends with ']'");
            }
            Section section{trimmed(line.substr(1, line.size() - 2)), number, {}};
            const auto [earlier, added] = sectionLines.emplace(lowered(section.name), number);
            if (!added) {
                return at(number, "section [" + section.name + "] was already given on line " +
                                      std::to_string(earlier->second));
            }
            result.m_sections.push_back(std::move(section));
            keyLines.clear();
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos) {
            return at(number, "expected key=value, a [section] or a ; comment");
        }
        if (result.m_sections.empty()) {
            return at(number, "a key before the first [section]");
        }
        Key key{trimmed(line.substr(0, equals)), number};
        if (key.name.empty()) {
            return at(number, "a value without a key");
        }
        const auto [earlier, added] = keyLines.emplace(lowered(key.name), number);
        if (!added) {
            return at(number, "key " + key.name + " was already given on line " +
                                  std::to_string(earlier->second));
        }
        result.m_sections.back().keys.push_back(std::move(key));
    }
    return result;
}

} // namespace virtualsim
