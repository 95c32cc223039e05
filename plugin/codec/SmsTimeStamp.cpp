#include "codec/SmsTimeStamp.h"

namespace brontel::codec {

std::optional<pelmora::SystemTime>
decodeSmsTimeStamp(std::span<const uint8_t, kSmsTimeStampLength> bytes) {
    uint16_t values[6] = {};
    for (size_t i = 0; i < 6; ++i) {
        const unsigned tens = bytes[i] & 0x0F;
        const unsigned units = bytes[i] >> 4;
        if (tens > 9 || units > 9) {
            return std::nullopt;
        }
        values[i] = static_cast<uint16_t>(tens * 10 + units);
    }
    pelmora::SystemTime time{};
    time.year = static_cast<uint16_t>(2000 + values[0]);
    time.month = values[1];
    time.day = values[2];
    time.hour = values[3];
    time.minute = values[4];
    time.second = values[5];
    return time;
}

} // namespace brontel::codec
