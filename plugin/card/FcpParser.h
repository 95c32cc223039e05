#pragma once
// Reading the FCP template a UICC answers SELECT and STATUS with (ETSI TS
// 102 221 11.1.1.3) into the description a GSM card gives: type, structure,
// sizes, identifier, life cycle status, access conditions from the security
// attributes and, for a directory, whether PIN1 is disabled from the PIN
// status template. The bytes are untrusted: a template that is malformed or
// lacks its file descriptor or identifier is no description.

#include "card/SimFileInfo.h"

#include <cstdint>
#include <span>

namespace brontel {

// Clears the info, then fills it. False when the data is no usable FCP
// template (the fields read before the fault stay set).
bool parse_fcp(std::span<const uint8_t> data, SimFileInfo& info);

// The GSM access level of a key reference: 01..08 and the universal PIN 11
// are PIN1's level (1), 81..88 PIN2's (2), the administrative keys 0A..0E
// levels 4..8, any other key administrative.
[[nodiscard]] uint8_t access_level_of_key(uint8_t keyReference);

} // namespace brontel
