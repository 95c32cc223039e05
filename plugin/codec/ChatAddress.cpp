#include "codec/ChatAddress.h"

#include "codec/DecimalText.h"

#include <algorithm>

namespace brontel::codec {

std::optional<ChatAddress> parseChatAddress(std::u16string_view text) {
    std::u16string compact(text);
    compact.erase(std::remove(compact.begin(), compact.end(), u' '), compact.end());
    ChatAddress address{};
    std::u16string_view rest = compact;
    for (size_t i = 0; i < address.size(); ++i) {
        const size_t dot = rest.find(u'.');
        if ((dot == std::u16string_view::npos) != (i + 1 == address.size())) {
            return std::nullopt;
        }
        std::optional<uint32_t> part = parseDecimal(rest.substr(0, dot), UINT8_MAX);
        if (!part) {
            return std::nullopt;
        }
        address[i] = static_cast<uint8_t>(*part);
        rest = dot == std::u16string_view::npos ? std::u16string_view{} : rest.substr(dot + 1);
    }
    return address;
}

std::u16string chatAddressText(std::span<const uint8_t, 4> address) {
    std::u16string text;
    for (uint8_t part : address) {
        if (!text.empty()) {
            text += u'.';
        }
        text += decimalText(part);
    }
    return text;
}

} // namespace brontel::codec
