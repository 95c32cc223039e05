#include "PinNoticeText.h"

#include "LangText.h"

namespace pelmora::model {

namespace {

constexpr int kCardNotAnsweringText = 360;
constexpr int kPinBlockedText = 361;
constexpr int kPukBlockedText = 362;
constexpr int kPinsDifferText = 363;
constexpr int kCardRefusedText = 364;
constexpr int kNotAPinText = 458;
constexpr int kNotAPukText = 459;

} // namespace

std::u16string pinNoticeText(PinNotice notice, int type) {
    const std::u16string pin = type == 2 ? u"PIN2" : u"PIN1";
    const std::u16string puk = type == 2 ? u"PUK2" : u"PUK1";
    switch (notice) {
    case PinNotice::CardNotAnswering:
        return velmet::langText(kCardNotAnsweringText);
    case PinNotice::PinBlocked:
        return velmet::langText(kPinBlockedText, pin, puk);
    case PinNotice::PukBlocked:
        return velmet::langText(kPukBlockedText, puk, pin);
    case PinNotice::PinsDiffer:
        return velmet::langText(kPinsDifferText, pin);
    case PinNotice::CardRefused:
        return velmet::langText(kCardRefusedText);
    case PinNotice::NotAPin:
        return velmet::langText(kNotAPinText);
    case PinNotice::NotAPuk:
        return velmet::langText(kNotAPukText);
    }
    return {};
}

} // namespace pelmora::model
