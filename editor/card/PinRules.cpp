#include "PinRules.h"

#include <algorithm>

namespace pelmora::model {

namespace {

bool digitsBetween(std::u16string_view text, int least, int most) {
    const auto size = static_cast<int>(text.size());
    return size >= least && size <= most &&
           std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

bool isPinText(std::u16string_view pin) {
    return digitsBetween(pin, kPinMinDigits, kPinMaxDigits);
}

bool isPukText(std::u16string_view puk) {
    return digitsBetween(puk, kPukDigits, kPukDigits);
}

bool newPinConfirmed(std::u16string_view pin, std::u16string_view confirmation) {
    return isPinText(pin) && pin == confirmation;
}

} // namespace pelmora::model
