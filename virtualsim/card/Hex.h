#pragma once
// Hexadecimal text of card bytes, as card profiles hold them.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace virtualsim {

// Two digits per byte, either case; blanks between bytes are allowed.
[[nodiscard]] std::optional<std::vector<uint8_t>> parseHex(std::string_view text);
// Upper-case digits, with `separator` between bytes when it is not '\0'.
[[nodiscard]] std::string toHex(std::span<const uint8_t> bytes, char separator = '\0');

} // namespace virtualsim
