#include "codec/DecimalText.h"

#include <algorithm>

namespace brontel::codec {

std::optional<uint32_t> parseDecimal(std::u16string_view text, uint32_t maximum) {
    const size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(u' ') + 1 - first);
    uint64_t value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<uint64_t>(c - u'0');
        if (value > maximum) {
            return std::nullopt;
        }
    }
    return static_cast<uint32_t>(value);
}

std::u16string decimalText(uint32_t value) {
    std::u16string text;
    do {
        text.push_back(static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    std::reverse(text.begin(), text.end());
    return text;
}

} // namespace brontel::codec
