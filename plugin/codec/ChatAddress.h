#pragma once
// The iDEN chat address: four bytes, shown in dotted decimal form.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace brontel::codec {

using ChatAddress = std::array<uint8_t, 4>;

// Four "."-separated numbers from 0 to 255, spaces ignored; nullopt otherwise, so
// that a part above 255 is refused rather than wrapped.
[[nodiscard]] std::optional<ChatAddress> parseChatAddress(std::u16string_view text);
[[nodiscard]] std::u16string chatAddressText(std::span<const uint8_t, 4> address);

} // namespace brontel::codec
