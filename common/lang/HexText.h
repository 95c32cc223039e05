#pragma once
// Language texts may be stored as hex-encoded UTF-16, so that a language file
// kept in a single-byte code page can still carry any script.

#include <optional>
#include <string>
#include <string_view>

namespace pelmora::velmet {

// A value made only of the digits 0-9 and A-F (upper case) is hex-encoded
// UTF-16: every four digits give one code unit, low byte first, each byte
// written high nibble first ("41004200" is "AB"). A short last group is
// completed with zero digits; the text ends at a decoded zero unit. Any other
// value, and the empty value, gives nothing.
[[nodiscard]] std::optional<std::u16string> decodeHexText(std::u16string_view value);

} // namespace pelmora::velmet
