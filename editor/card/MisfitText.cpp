#include "MisfitText.h"

#include "AdditionalValues.h"
#include "BookKind.h"
#include "LangText.h"

namespace pelmora::model {

namespace {

constexpr int kNameCutText = 352;
constexpr int kNumberCutText = 353;
constexpr int kValueBeyondText = 354;
constexpr int kValueWithoutRoomText = 1390;

// The column of the USIM value, the only values a card may have no file for.
std::u16string valueTitle(int valueIndex) {
    for (const AdditionalValue& value : additionalValues(kBookUsim)) {
        if (value.value == valueIndex) {
            return velmet::langText(value.text);
        }
    }
    return {};
}

} // namespace

std::u16string misfitText(const Misfit& misfit) {
    const int position = misfit.slot + 1;
    switch (misfit.reason) {
    case MisfitReason::NameCut:
        return velmet::langText(kNameCutText, position, misfit.text, misfit.becomes);
    case MisfitReason::NumberCut:
        return velmet::langText(kNumberCutText, position, misfit.text, misfit.becomes);
    case MisfitReason::ValueBeyondRecords:
        return velmet::langText(kValueBeyondText, position, misfit.text);
    case MisfitReason::ValueWithoutRoom:
        return velmet::langText(kValueWithoutRoomText, position, valueTitle(misfit.valueIndex),
                                misfit.text);
    case MisfitReason::BeyondRecords:
        break;
    }
    return {};
}

} // namespace pelmora::model
