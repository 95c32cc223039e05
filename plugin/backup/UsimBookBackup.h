#pragma once
// The USIM phone book in a backup: its entries (name, number and additional
// values) in one section, read and written back through the book's own reader
// and writer, so that a restore leaves its pointers, extension records and
// counters consistent rather than copying the files' records.

#include "backup/BackupProgress.h"

#include "ProfileDocument.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace brontel {

class CallOutcome;
class SIMCard;

// An entry's texts as a backup value: for name and values 0 to 10 in turn,
// the length in code units (two bytes, little-endian) and the units.
[[nodiscard]] std::vector<uint8_t> usimEntryBytes(const PhoneBookEntry& entry);
// nullopt when the bytes are cut short, run on, or a text does not fit its field.
[[nodiscard]] std::optional<PhoneBookEntry> usimEntryFromBytes(std::span<const uint8_t> bytes);

// Replaces the book's section with the card's entries. Nothing happens on a
// card without a USIM phone book; true when the book was read.
bool backupUsimBook(SIMCard& card, pelmora::platform::ProfileDocument& document,
                    CallOutcome& outcome, const BackupProgress& progress);

// Writes the book's section back, entries it lacks left empty. Nothing happens
// when the backup has no such section; true when the book was written.
bool restoreUsimBook(SIMCard& card, const pelmora::platform::ProfileDocument& document,
                     CallOutcome& outcome, const BackupProgress& progress);

} // namespace brontel
