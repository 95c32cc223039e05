#pragma once
// The "Save info" line of the card-properties dialog: ICCID, own number,
// service-provider name and IMSI of the card, then the local date and time,
// appended to a .csv file in the ANSI code page.

#include "Brontel.h"
#include "SystemTime.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace pelmora::model {

// ownNumber: the first MSISDN entry's number. Values the card did not give
// (empty ones) are written as text 108. Ends "\r\n".
[[nodiscard]] std::u16string cardInfoLine(const SimInfo& info, std::u16string_view ownNumber,
                                          const SystemTime& now);
// Appends the line at the end of a .csv file, created when missing, in the
// file's own encoding; false for any other file, or when the file cannot be
// opened or written.
bool appendCardInfoLine(const std::filesystem::path& file, std::u16string_view line);

} // namespace pelmora::model
