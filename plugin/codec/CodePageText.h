#pragma once
// Text stored in a code page within a byte budget.

#include <cstddef>
#include <string>
#include <string_view>

namespace brontel::codec {

struct CodePageBytes {
    std::string bytes;
    bool didNotFit = false; // cut, or characters the code page lacks became '?'
};

// The text in the code page, cut at a character boundary to at most maxBytes.
[[nodiscard]] CodePageBytes toCodePageWithin(std::u16string_view text, unsigned codePage,
                                             size_t maxBytes);

// Bytes up to the first NUL, read in the code page, at most maxUnits UTF-16 units.
[[nodiscard]] std::u16string fromCodePageUntilNul(std::string_view bytes, unsigned codePage,
                                                  size_t maxUnits);

} // namespace brontel::codec
