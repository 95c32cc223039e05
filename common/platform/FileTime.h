#pragma once
// Windows time stamps: FILETIME is an unsigned count of 100-nanosecond ticks
// since 1601-01-01 00:00 UTC; SystemTime holds the same instant broken down.

#include "SystemTime.h"

#include <cstdint>
#include <optional>

namespace pelmora::platform {

using FileTime = uint64_t;

// Ticks between 1601-01-01 and the Unix epoch 1970-01-01.
inline constexpr FileTime kUnixEpochAsFileTime = 116444736000000000ull;

// Fails for fields out of range (a year before 1601, a day the month does
// not have, hour 24 and so on) and for instants of 2^63 ticks or more; the
// day of the week is ignored.
[[nodiscard]] std::optional<FileTime> systemTimeToFileTime(const SystemTime& time);
// Fails for values of 2^63 and above; fills in the day of the week (0 = Sunday).
[[nodiscard]] std::optional<SystemTime> fileTimeToSystemTime(FileTime ticks);

// The current time, in UTC and in the local time zone.
[[nodiscard]] FileTime currentFileTime();
[[nodiscard]] SystemTime currentUtcTime();
[[nodiscard]] SystemTime currentLocalTime();

} // namespace pelmora::platform
