#pragma once
// EF SMS under DF telecom (TS 51.011 10.5.3): a linear fixed file of message
// records, normally 176 bytes each.

#include <cstdint>
#include <optional>

namespace brontel {

class SIMCard;

struct SmsFile {
    uint8_t recordLength = 0;
    int records = 0; // numbered from 1
};

// Record numbers are one byte, and 0xFF is not a record (TS 51.011 9.2.5).
constexpr int kMaxSmsRecords = 254;

// Selects the master file, DF telecom and EF SMS and reads the description.
// nullopt when a command failed (the card keeps its code) or the file is not a
// linear fixed file with records.
[[nodiscard]] std::optional<SmsFile> selectSmsFile(SIMCard& card);

} // namespace brontel
