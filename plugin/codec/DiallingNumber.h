#pragma once
// Dialling numbers as BCD digits (TS 51.011 10.5.1, TS 24.008 10.5.4.7), the
// number part of ADN-style records, and their extension records (TS 51.011 10.5.10).

#include "codec/EncodedBytes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brontel::codec {

constexpr uint8_t kTonNpiInternational = 0x91;
constexpr uint8_t kTonNpiUnknown = 0x81;
constexpr size_t kMaxNumberCharacters = 60;

// Type of number "international" (bits 7..5 = 001), whatever the numbering plan.
[[nodiscard]] constexpr bool isInternational(uint8_t tonNpi) {
    return (tonNpi & 0x70) == 0x10;
}

struct DiallingNumber {
    uint8_t tonNpi = kTonNpiUnknown;
    std::vector<uint8_t> digits; // nibble values: 0-9, 0xA '*', 0xB '#', 0xC 'p' (pause)
    bool droppedCharacters = false;
};

// A number as typed. "+" anywhere makes it international; space, "-", "(", ")",
// "[" and "]" only format it; any other character without a digit code is dropped
// and reported.
[[nodiscard]] DiallingNumber parseDiallingNumber(std::u16string_view text);

// Two digits per byte, the first in the low nibble; an odd count ends with filler 0xF.
[[nodiscard]] std::vector<uint8_t> packBcd(std::span<const uint8_t> digits);

// Text of BCD bytes, low nibble first, up to the first nibble 0xD, 0xE or 0xF.
[[nodiscard]] std::u16string unpackBcd(std::span<const uint8_t> bytes, size_t maxCharacters);

// The 14 bytes after the alpha identifier of an ADN-style record: length of the
// BCD contents (TON/NPI included), TON/NPI, 10 BCD bytes, capability/configuration
// id, extension record id.
constexpr size_t kAdnNumberLength = 14;
constexpr size_t kAdnBcdLength = 10;
constexpr size_t kAdnExtensionIdOffset = 13;

struct EncodedAdnNumber {
    std::array<uint8_t, kAdnNumberLength> field{};
    std::vector<uint8_t> extensionBcd; // BCD bytes past the tenth, for an extension record
    bool didNotFit = false;            // characters were dropped
};

[[nodiscard]] EncodedAdnNumber encodeAdnNumber(std::u16string_view text);

// The number held in the record itself; an extension record's digits are added
// by appendExtensionDigits.
[[nodiscard]] std::u16string decodeAdnNumber(std::span<const uint8_t, kAdnNumberLength> field);

// The extension record an ADN-style number continues in, if any.
[[nodiscard]] std::optional<uint8_t>
adnExtensionRecord(std::span<const uint8_t, kAdnNumberLength> field);

constexpr uint8_t kExtensionAdditionalData = 2;

// An extension record of recordLength bytes: type "additional data", the number
// of BCD bytes, the BCD bytes, and 0xFF for "no further record". BCD bytes beyond
// the record's room are cut and reported.
EncodedBytes buildExtensionRecord(std::span<const uint8_t> bcd, size_t recordLength);

// A record whose type is not "additional data" may be taken for a new number.
[[nodiscard]] bool isFreeExtensionRecord(std::span<const uint8_t> record);

// Appends the digits of an extension record to a number, keeping it within
// kMaxNumberCharacters; false when the record holds no additional data.
bool appendExtensionDigits(std::u16string& number, std::span<const uint8_t> record);

} // namespace brontel::codec
