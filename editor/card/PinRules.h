#pragma once
// What a phone keypad can type as a PIN or an unblocking key: anything else
// is refused before it reaches the card, where it would cost an attempt, or
// become a PIN no keypad can enter.

#include <string_view>

namespace pelmora::model {

// A PIN is 4 to 8 ASCII digits, an unblocking key exactly 8.
inline constexpr int kPinMinDigits = 4;
inline constexpr int kPinMaxDigits = 8;
inline constexpr int kPukDigits = 8;
// What a PUK field takes: more than a PUK, so that a mistyped long one is
// refused as it stands instead of being cut to a wrong 8.
inline constexpr int kPukFieldDigits = 10;

[[nodiscard]] bool isPinText(std::u16string_view pin);
[[nodiscard]] bool isPukText(std::u16string_view puk);
// A valid new PIN typed the same way twice.
[[nodiscard]] bool newPinConfirmed(std::u16string_view pin, std::u16string_view confirmation);

} // namespace pelmora::model
