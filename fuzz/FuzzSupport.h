#pragma once

// What the fuzz targets share: turning the fuzzer's bytes into the inputs of
// the readers, and stopping with a message when a property does not hold.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pelmora::fuzz {

// The input as the span the readers take.
[[nodiscard]] inline std::span<const uint8_t> bytesOf(const uint8_t* data, size_t size) {
    return {data, size};
}

// The input read as UTF-16 code units, two bytes each, little-endian; an odd
// last byte is dropped. Reaches every code unit, lone surrogates included.
[[nodiscard]] std::u16string utf16Of(std::span<const uint8_t> bytes);

// One of the list separators the settings allow, chosen by a byte.
[[nodiscard]] char16_t separatorOf(uint8_t choice);

// The demo card's profile, read once.
[[nodiscard]] const std::vector<uint8_t>& demoCardProfile();

// Reports a broken property and aborts, so that libFuzzer keeps the input.
[[noreturn]] void propertyBroken(const char* what);

} // namespace pelmora::fuzz
