#include "Utf16Bytes.h"

namespace pelmora::model {

std::u16string utf16FromBytes(std::span<const uint8_t> bytes, bool littleEndian) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const unsigned low = littleEndian ? bytes[i] : bytes[i + 1];
        const unsigned high = littleEndian ? bytes[i + 1] : bytes[i];
        text.push_back(static_cast<char16_t>(low | high << 8));
    }
    return text;
}

std::vector<uint8_t> utf16LittleEndianBytes(std::u16string_view text) {
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    return bytes;
}

} // namespace pelmora::model
