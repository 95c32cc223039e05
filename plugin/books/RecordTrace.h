#pragma once
// Trace lines of the records a call reads or writes: "%3d %s" with the record
// number and the record bytes as upper-case hex pairs.

#include <cstdint>
#include <span>
#include <string>

namespace brontel {

[[nodiscard]] std::string hexPairs(std::span<const uint8_t> bytes);

void traceRecord(const char* tag, int recordNumber, std::span<const uint8_t> bytes);

} // namespace brontel
