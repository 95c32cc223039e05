#pragma once
// The iDEN private ID (urban, fleet and member number, text "urban*fleet*member")
// packed into the 40-bit value of a phone-book value record.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace brontel::codec {

constexpr size_t kPrivateIdLength = 5;
using PackedPrivateId = std::array<uint8_t, kPrivateIdLength>;

struct PrivateId {
    uint32_t urban = 0;
    uint32_t fleet = 0;
    uint32_t member = 0;
    friend bool operator==(const PrivateId&, const PrivateId&) = default;
};

// Three decimal numbers joined by "*"; nullopt for any other text.
[[nodiscard]] std::optional<PrivateId> parsePrivateId(std::u16string_view text);
[[nodiscard]] std::u16string privateIdText(const PrivateId& id);

// Big-endian: urban class (bits 39..38), fleet class (37..35), urban number from
// bit 34 down, fleet number, member number in the remaining low bits. nullopt
// when a number is too large for its field; such an ID is stored as zeros.
[[nodiscard]] std::optional<PackedPrivateId> packPrivateId(const PrivateId& id);
// nullopt for a fleet class without a layout or fields that leave the member
// fewer than five bits.
[[nodiscard]] std::optional<PrivateId>
unpackPrivateId(std::span<const uint8_t, kPrivateIdLength> bytes);

} // namespace brontel::codec
