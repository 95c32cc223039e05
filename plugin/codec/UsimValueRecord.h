#pragma once
// Records of the USIM phone book's value files (TS 31.102 4.4.2): additional
// numbers (EF ANR 4.4.2.9: AAS record id, then the number part of an ADN
// record) and texts (EF SNE 4.4.2.10, EF EMAIL 4.4.2.13: coded as alpha
// identifiers). Records of type 2 files end with the SFI of EF ADN and the ADN
// record they belong to.

#include "codec/DiallingNumber.h"
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

constexpr size_t kAnrRecordLength = 1 + kAdnNumberLength;
constexpr size_t kType2LinkLength = 2;

struct AdditionalNumber {
    std::u16string number; // without the digits of an extension record
    std::optional<uint8_t> extensionRecord;
};

// nullopt for a record too short to hold a number.
[[nodiscard]] std::optional<AdditionalNumber> parseAnrRecord(std::span<const uint8_t> record);

struct EncodedAnrRecord {
    std::vector<uint8_t> bytes;
    std::vector<uint8_t> extensionBcd; // BCD bytes past the tenth
    bool didNotFit = false;
};

// A record of recordLength bytes: an empty number gives a record of 0xFF bytes;
// link holds the ADN file's SFI and record for a type 2 file.
[[nodiscard]] EncodedAnrRecord buildAnrRecord(size_t recordLength, std::u16string_view number,
                                              uint8_t aasRecord,
                                              std::optional<std::array<uint8_t, 2>> link);

// Points an ANR record's number at its extension record (0xFF: none).
void setAnrExtensionRecord(std::span<uint8_t> record, uint8_t id);

// The text of an SNE or EMAIL record of textLength text bytes; a record
// starting with 0xFF is empty.
[[nodiscard]] std::u16string parseTextRecord(std::span<const uint8_t> record, size_t textLength);

// An empty text gives a record of 0xFF bytes.
[[nodiscard]] EncodedBytes buildTextRecord(size_t recordLength, size_t textLength,
                                           std::u16string_view text,
                                           std::optional<std::array<uint8_t, 2>> link);

} // namespace brontel::codec
