#include "codec/Talkgroup.h"

#include "codec/DecimalText.h"

namespace brontel::codec {

std::optional<uint8_t> parseTalkgroup(std::u16string_view text) {
    if (std::optional<uint32_t> value = parseDecimal(text, UINT8_MAX)) {
        return static_cast<uint8_t>(*value);
    }
    return std::nullopt;
}

std::u16string talkgroupText(uint8_t talkgroup) {
    return decimalText(talkgroup);
}

} // namespace brontel::codec
