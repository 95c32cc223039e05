#pragma once
// The iDEN talkgroup: one byte, shown as a decimal number.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brontel::codec {

// nullopt for text that is not a number from 0 to 255: a larger talkgroup
// cannot be stored and is refused rather than wrapped.
[[nodiscard]] std::optional<uint8_t> parseTalkgroup(std::u16string_view text);
[[nodiscard]] std::u16string talkgroupText(uint8_t talkgroup);

} // namespace brontel::codec
