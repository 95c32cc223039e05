#include "PinNoticeText.h"

#include "Brontel.h"
#include "CardAnswerText.h"
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
constexpr int kCardErrorText = 1250;
constexpr int kCardErrorCountedText = 1251;

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

bool isNoPinVerdict(int32_t lastError) {
    return lastError >= kSimErrorTechnicalProblem && lastError <= kSimErrorWrongLength;
}

std::u16string pinCardErrorText(int type, int32_t lastError, int attemptsBefore,
                                int attemptsAfter) {
    return velmet::langText(attemptsAfter < attemptsBefore ? kCardErrorCountedText : kCardErrorText,
                            type == 2 ? std::u16string(u"PIN2") : std::u16string(u"PIN1"),
                            cardAnswerText(lastError), attemptsAfter);
}

} // namespace pelmora::model
