#pragma once
// Packing of 7-bit codes into octets (3GPP TS 23.038 6.1.2.1.1): code k occupies
// bits 7k .. 7k+6 of the octet stream after the fill bits, least significant
// bit first.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace brontel::codec {

[[nodiscard]] constexpr size_t packedLength(size_t septets, unsigned fillBits = 0) {
    return (septets * 7 + fillBits + 7) / 8;
}

// The last octet is padded with zero bits.
[[nodiscard]] std::vector<uint8_t> packSeptets(std::span<const uint8_t> septets,
                                               unsigned fillBits = 0);

// Exactly count codes, or as many as the octets hold. Every octet value,
// 0xFF included, is ordinary packed data.
[[nodiscard]] std::vector<uint8_t> unpackSeptets(std::span<const uint8_t> octets, size_t count,
                                                 unsigned fillBits = 0);

} // namespace brontel::codec
