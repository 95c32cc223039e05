#pragma once
// What a phone keypad can type as a PIN or an unblocking key: anything else
// is refused before it reaches the card, where it would cost an attempt, or
// become a PIN no keypad can enter.

#include <string_view>

namespace pelmora::model {

// 4 to 8 of the ASCII digits 0-9.
[[nodiscard]] bool isPinText(std::u16string_view pin);
// Exactly 8 of the ASCII digits 0-9.
[[nodiscard]] bool isPukText(std::u16string_view puk);

} // namespace pelmora::model
