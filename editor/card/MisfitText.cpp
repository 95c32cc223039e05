#include "MisfitText.h"

#include "LangText.h"

namespace pelmora::model {

namespace {

constexpr int kNameCutText = 352;
constexpr int kNumberCutText = 353;
constexpr int kValueBeyondText = 354;

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
    case MisfitReason::BeyondRecords:
        break;
    }
    return {};
}

} // namespace pelmora::model
