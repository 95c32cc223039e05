#pragma once
// Checks that a phone-book file can be read whole and one way only before any
// of it is used: a file cut short, a quotation mark left open or a runaway
// line must not pass as fewer, shorter or merged entries.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace pelmora::model {

// Where the text goes wrong (1-based line) and why (a language text taking
// the file name and the line).
struct FileTextFault {
    size_t line = 0;
    int text = 0;
};

// Longest .csv line taken: a row of every value of a contact is far shorter.
inline constexpr size_t kMaxCsvLineLength = 65536;

// The file's last line has no line end, or a UTF-16 file ends inside a
// character. Files the editor writes always end with a line end.
[[nodiscard]] std::optional<FileTextFault> cutFileFault(std::span<const uint8_t> bytes,
                                                        std::u16string_view text);

// A quoted field that never closes, or a line longer than kMaxCsvLineLength.
[[nodiscard]] std::optional<FileTextFault> csvTextFault(std::u16string_view text,
                                                        char16_t separator);

// The message for a fault of the file.
[[nodiscard]] std::u16string faultMessage(const FileTextFault& fault, std::u16string_view file);

} // namespace pelmora::model
