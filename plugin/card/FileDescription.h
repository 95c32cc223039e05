#pragma once
// Reading the file description of 3GPP TS 51.011 9.2.1 (MF and DF) and 9.2.2
// (EF) from card bytes. The bytes are untrusted: a description shorter than
// its format sets only the fields that arrived and counts as a failure.

#include "card/SimFileInfo.h"

#include <cstdint>
#include <span>

namespace brontel {

struct DescriptionParse {
    bool complete = false;
    // The type-specific part (after byte 12) was read.
    bool hasDetails = false;
};

// Clears the info, then fills it from the description. A description whose
// byte 12 (length of the following data) is 0 holds only free memory, file
// id and type.
DescriptionParse parse_file_description(std::span<const uint8_t> data, SimFileInfo& info);

// The fields GET RESPONSE hands out on its own, written into the info and
// nothing else: for an EF file size, record length, type and structure; for
// an MF or DF type, free memory, DF and EF counts, CHV1 disabled and the
// four attempt counters. Byte 12 is not consulted. False when bytes were
// missing.
bool read_description_fields(std::span<const uint8_t> data, SimFileInfo& info);

} // namespace brontel
