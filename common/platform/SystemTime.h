#pragma once

#include <cstdint>

namespace pelmora {

// Same fields, order and size as the Windows SYSTEMTIME: it crosses the card
// plug-in boundary inside SmsEntry and is stored in files.
struct SystemTime {
    uint16_t year;
    uint16_t month;
    uint16_t dayOfWeek;
    uint16_t day;
    uint16_t hour;
    uint16_t minute;
    uint16_t second;
    uint16_t milliseconds;
};
static_assert(sizeof(SystemTime) == 16);

} // namespace pelmora
