#include "Hex.h"

#include "HexDigits.h"

namespace virtualsim {

std::optional<std::vector<uint8_t>> parseHex(std::string_view text) {
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size() / 2);
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t') {
            ++i;
            continue;
        }
        if (i + 1 >= text.size()) {
            return std::nullopt;
        }
        const int high = pelmora::platform::hexDigitValue(static_cast<unsigned char>(text[i]));
        const int low = pelmora::platform::hexDigitValue(static_cast<unsigned char>(text[i + 1]));
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<uint8_t>(high << 4 | low));
        i += 2;
    }
    return bytes;
}

std::string toHex(std::span<const uint8_t> bytes, char separator) {
    return pelmora::platform::hexBytes(bytes, separator);
}

} // namespace virtualsim
