#pragma once
// What a typed PIN or PUK must look like before it is worth a card command:
// a wrong length only spends one of the card's few attempts.

#include <string_view>

namespace pelmora::model {

// TS 51.011 9.2.x: CHVs are 4 to 8 digits, unblocking keys 8; the fields
// take a PUK of up to 10 digits, as cards of some issuers use.
inline constexpr int kPinMinDigits = 4;
inline constexpr int kPinMaxDigits = 8;
inline constexpr int kPukMinDigits = 8;
inline constexpr int kPukMaxDigits = 10;

[[nodiscard]] bool pinEntryValid(std::u16string_view pin);
[[nodiscard]] bool pukEntryValid(std::u16string_view puk);
// A valid new PIN typed the same way twice.
[[nodiscard]] bool newPinConfirmed(std::u16string_view pin, std::u16string_view confirmation);

} // namespace pelmora::model
