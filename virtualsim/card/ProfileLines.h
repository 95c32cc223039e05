#pragma once
// Where each section and key of a card profile stands, so that a message
// about a malformed profile can name the line. Lines are split and trimmed as
// the INI reader does, so that both see the same sections and keys. Also
// refuses what the INI reader would silently pass over: text that is no
// key=value line, a section or key given twice.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace virtualsim {

class ProfileLines {
public:
    struct Key {
        std::string name; // as written, trimmed; non-ASCII characters become '?'
        size_t line = 0;  // 1-based
    };
    struct Section {
        std::string name;
        size_t line = 0;
        std::vector<Key> keys;
    };

    // The layout, or a message "line N: ..." for the first malformed line.
    static std::variant<ProfileLines, std::string> scan(std::span<const uint8_t> bytes);

    [[nodiscard]] const std::vector<Section>& sections() const { return m_sections; }

private:
    std::vector<Section> m_sections;
};

} // namespace virtualsim
