#include "HexText.h"

#include "HexDigits.h"

namespace pelmora::velmet {
namespace {

// Settings files hold upper-case digits only.
int hexDigit(char16_t c) {
    return c >= u'a' ? -1 : platform::hexDigitValue(c);
}

} // namespace

std::optional<std::u16string> decodeHexText(std::u16string_view value) {
    if (value.empty()) {
        return std::nullopt;
    }
    for (char16_t c : value) {
        if (hexDigit(c) < 0) {
            return std::nullopt;
        }
    }
    std::u16string text;
    for (std::size_t group = 0; group < value.size(); group += 4) {
        int nibbles[4] = {0, 0, 0, 0};
        for (std::size_t i = 0; i < 4 && group + i < value.size(); ++i) {
            nibbles[i] = hexDigit(value[group + i]);
        }
        const int low = nibbles[0] << 4 | nibbles[1];
        const int high = nibbles[2] << 4 | nibbles[3];
        const auto unit = static_cast<char16_t>(high << 8 | low);
        if (unit == 0) {
            break;
        }
        text.push_back(unit);
    }
    return text;
}

} // namespace pelmora::velmet
