#include "PinRules.h"

#include <algorithm>

namespace pelmora::model {

namespace {

bool asciiDigits(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

bool isPinText(std::u16string_view pin) {
    return pin.size() >= 4 && pin.size() <= 8 && asciiDigits(pin);
}

bool isPukText(std::u16string_view puk) {
    return puk.size() == 8 && asciiDigits(puk);
}

} // namespace pelmora::model
