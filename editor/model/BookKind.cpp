#include "BookKind.h"

#include "HexDigits.h"
#include "LangText.h"

namespace pelmora::model {

std::u16string bookCaption(uint16_t kind) {
    constexpr int kFirstCaption = 24;
    constexpr int kUsimCaption = 1340;
    if (kind == kBookUsim) {
        std::u16string caption = velmet::langText(kUsimCaption);
        return caption.empty() ? bookSectionName(kind) : caption;
    }
    for (size_t i = 0; i < kBookCreationOrder.size(); ++i) {
        if (kBookCreationOrder[i] == kind) {
            std::u16string caption = velmet::langText(kFirstCaption + static_cast<int>(i));
            if (!caption.empty()) {
                return caption;
            }
        }
    }
    return bookSectionName(kind);
}

std::u16string bookSectionName(uint16_t kind) {
    return platform::hexNumber<char16_t>(kind, 4);
}

uint32_t BookCapacities::forKind(uint16_t kind) const {
    switch (kind) {
    case kBookNextel:
        return nextel;
    case kBookAdn:
        return adn;
    case kBookMsisdn:
        return msisdn;
    case kBookLnd:
        return lnd;
    case kBookFdn:
        return fdn;
    case kBookSdn:
        return sdn;
    case kBookBdn:
        return bdn;
    case kBookSms:
        return sms;
    case kBookUsim:
        return usim;
    default:
        return 0;
    }
}

} // namespace pelmora::model
