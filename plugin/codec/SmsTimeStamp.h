#pragma once
// TP-Service-Centre-Time-Stamp (3GPP TS 23.040 9.2.3.11): year, month, day,
// hour, minute, second and time zone, each octet two decimal digits with the
// tens in the low nibble.

#include "SystemTime.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace brontel::codec {

constexpr size_t kSmsTimeStampLength = 7;

// The local time of the service centre, years counted from 2000; the time zone
// is not kept. nullopt when a nibble is not a decimal digit.
[[nodiscard]] std::optional<pelmora::SystemTime>
decodeSmsTimeStamp(std::span<const uint8_t, kSmsTimeStampLength> bytes);

} // namespace brontel::codec
