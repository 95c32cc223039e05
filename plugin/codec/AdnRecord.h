#pragma once
// Records of the ADN-style books (TS 51.011 10.5.1: ADN, FDN, MSISDN, LND, SDN,
// BDN): an alpha identifier of X = R - 14 bytes, then the 14-byte number part.

#include "codec/DiallingNumber.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brontel::codec {

constexpr size_t kAdnMinRecordLength = kAdnNumberLength;

struct AdnRecord {
    std::u16string name;
    std::u16string number; // without the digits of an extension record
    std::optional<uint8_t> extensionRecord;
};

// nullopt for a record shorter than 14 bytes. A record of exactly 14 bytes has
// no alpha identifier, only a number (TS 51.011 allows X = 0).
[[nodiscard]] std::optional<AdnRecord> parseAdnRecord(std::span<const uint8_t> record);

struct EncodedAdnRecord {
    std::vector<uint8_t> bytes;
    std::vector<uint8_t> extensionBcd; // for an extension record; the id is set later
    bool didNotFit = false;            // name cut, or number characters dropped
};

// A record of recordLength bytes with no extension record yet; an empty name
// and number give a record of 0xFF bytes. At most 240 characters of the name
// are written.
[[nodiscard]] EncodedAdnRecord buildAdnRecord(size_t recordLength, std::u16string_view name,
                                              std::u16string_view number);

// Points the record at its extension record (0xFF: none).
void setAdnExtensionRecord(std::span<uint8_t> record, uint8_t id);

} // namespace brontel::codec
