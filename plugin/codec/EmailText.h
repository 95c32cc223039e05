#pragma once
// E-mail addresses of the iDEN phone book: text in the ANSI code page, its first
// bytes in the value record, the rest in a chain of continuation records.

#include "codec/CodePageText.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brontel::codec {

constexpr size_t kMaxEmailBytes = 255;
constexpr size_t kMaxEmailCharacters = 254;
constexpr size_t kEmailBytesInValueRecord = 10;
// A continuation record holds E - 1 text bytes and the number of the next record.
constexpr size_t kMinContinuationRecordLength = 3;

// The address as stored, at most kMaxEmailBytes.
[[nodiscard]] CodePageBytes emailBytes(std::u16string_view text, unsigned codePage);
[[nodiscard]] std::u16string emailText(std::string_view bytes, unsigned codePage);

// The bytes after the value record's share, in pieces of E - 1 bytes, one per
// continuation record.
[[nodiscard]] std::vector<std::string_view> continuationPieces(std::string_view email,
                                                               size_t recordLength);

// A continuation record: the piece, zero bytes, and the next record's number
// (0 for the last) in the last byte.
[[nodiscard]] std::vector<uint8_t> buildContinuationRecord(std::string_view piece,
                                                           size_t recordLength, uint8_t next);

struct ContinuationRecord {
    std::string text; // the record's text bytes up to the first NUL
    uint8_t next = 0;
};
[[nodiscard]] ContinuationRecord parseContinuationRecord(std::span<const uint8_t> record);

[[nodiscard]] inline bool isFreeContinuationRecord(std::span<const uint8_t> record) {
    return record.empty() || record[0] == 0;
}

} // namespace brontel::codec
