#pragma once
// Case-insensitive comparison of UTF-16 names (INI sections and keys, file
// extensions): ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic letters
// compare equal to their other case.

#include <string_view>

namespace pelmora::platform {

[[nodiscard]] char16_t foldCase(char16_t c);
[[nodiscard]] bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b);

} // namespace pelmora::platform
