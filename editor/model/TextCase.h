#pragma once
// Upper-case mapping one UTF-16 unit to one, for comparisons that ignore
// letter case while keeping every position of the text where it was.

#include <string>
#include <string_view>

namespace pelmora::model {

// Latin (Basic, Latin-1, Extended-A), Greek and Cyrillic letters; every other
// unit maps to itself.
[[nodiscard]] char16_t toUpper(char16_t c);
[[nodiscard]] std::u16string toUpper(std::u16string_view text);

} // namespace pelmora::model
