#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace brontel::codec {

// A decimal number between surrounding spaces, at most maximum; nullopt for
// anything else (empty text, signs, other characters, larger values).
[[nodiscard]] std::optional<uint32_t> parseDecimal(std::u16string_view text, uint32_t maximum);

[[nodiscard]] std::u16string decimalText(uint32_t value);

} // namespace brontel::codec
