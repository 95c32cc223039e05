#pragma once
// Value syntax of desktop entries and mimeapps.list: the value types and the
// quoting rules of the Exec key, as the freedesktop.org desktop entry format 1.5
// defines them.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::qulvio {

// A string value: backslash, newline, tab and carriage return escaped, and a
// leading blank written as "\s".
[[nodiscard]] std::string escapeValue(std::string_view text);
// The reverse; an unknown escape is kept as it stands.
[[nodiscard]] std::string unescapeValue(std::string_view value);

// The Exec value: the program quoted, the optional prefix, and %f for the
// file. Nothing when the program path or the prefix holds a control
// character, which no Exec line can carry.
[[nodiscard]] std::optional<std::string> execLine(const std::filesystem::path& program,
                                                  std::string_view prefix);

// A ";"-separated list value ("a;b;"), without empty items.
[[nodiscard]] std::vector<std::string> splitList(std::string_view value);
[[nodiscard]] std::string joinList(const std::vector<std::string>& items);

} // namespace pelmora::qulvio
