#pragma once
// A record kept in a backup, made to fit a card record of another length.

#include "card/FileId.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace brontel {

// Longest record a backup value may hold: a record buffer of the card.
inline constexpr size_t kMaxStoredRecordLength = 256;

// The bytes to write into a card record of recordLength bytes. A record of
// that length is written as it is. The dialling-number books keep their
// 14-byte number part at the end of the record (TS 51.011 10.5.1), so for
// them the number part moves to the end and the alpha identifier before it
// is cut or padded with FF; other files are cut at the end or padded with FF.
// nullopt when the stored record cannot be used: longer than
// kMaxStoredRecordLength, or, for a dialling-number book, either record too
// short to hold a number part.
[[nodiscard]] std::optional<std::vector<uint8_t>>
fitStoredRecord(FileId file, std::span<const uint8_t> stored, size_t recordLength);

} // namespace brontel
