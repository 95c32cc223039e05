#include "CardProperties.h"

#include "HexDigits.h"
#include "LangText.h"
#include "OperatorLookup.h"
#include "Records.h"

#include <array>

namespace pelmora::model {

namespace {

using velmet::langText;

constexpr int kTextNotAvailable = 108;

std::u16string orNotAvailable(std::u16string_view text) {
    return text.empty() ? langText(kTextNotAvailable) : std::u16string(text);
}

std::u16string decimal(int value) {
    const std::string s = std::to_string(value);
    return {s.begin(), s.end()};
}

std::u16string hexLower(int value) {
    return platform::hexNumber<char16_t>(static_cast<uint32_t>(value), 1, platform::HexCase::Lower);
}

std::u16string phaseText(int phase) {
    switch (phase) {
    case 0:
        return langText(107) + u" 1";
    case 2:
        return langText(107) + u" 2";
    case 3:
        return langText(107) + u" 2+";
    case kPhaseUicc:
        return langText(1370);
    default:
        return langText(107) + u" " + langText(kTextNotAvailable);
    }
}

} // namespace

std::u16string accessConditionText(int condition) {
    if (condition == 0) {
        return langText(109);
    }
    if (condition == 1 || condition == 2) {
        return langText(110);
    }
    if (condition >= 4 && condition <= 14) {
        return langText(111);
    }
    if (condition == 15) {
        return langText(233); // never
    }
    return langText(kTextNotAvailable);
}

CardPropertyTexts cardPropertyTexts(const SimInfo& info,
                                    const std::filesystem::path& operatorList) {
    CardPropertyTexts t;
    t.pin1State = langText(info.pin1Enabled != 0 ? 95 : 96);
    t.pin1Attempts = decimal(info.pin1Attempts);
    t.puk1Attempts = decimal(info.puk1Attempts);
    t.pin2Attempts = decimal(info.pin2Attempts);
    t.puk2Attempts = decimal(info.puk2Attempts);
    t.atr = std::u16string(fieldText(info.atrText));
    t.iccid = orNotAvailable(fieldText(info.iccid));
    t.imsi = orNotAvailable(fieldText(info.imsi));
    t.serviceProvider = orNotAvailable(fieldText(info.serviceProvider));
    t.phase = phaseText(info.phase);
    const auto location = static_cast<uint32_t>(info.location);
    // EF LOCI bytes 4, 5 and 6, the first one highest (TS 51.011 10.3.17).
    const std::array<uint8_t, 3> plmn = {static_cast<uint8_t>((location >> 16) & 0xFF),
                                         static_cast<uint8_t>((location >> 8) & 0xFF),
                                         static_cast<uint8_t>(location & 0xFF)};
    t.network = orNotAvailable(velmet::networkLine(velmet::lookupOperator(plmn, operatorList)));
    return t;
}

BookPropertyTexts bookPropertyTexts(const SimInfo& info, int kind) {
    BookPropertyTexts t;
    t.kind = hexLower(kind);
    const int size = info.bookAttributes[0];
    const int length = info.bookAttributes[3];
    t.records = decimal(length > 0 ? size / length : 0);
    t.recordLength = decimal(length);
    t.readCondition = accessConditionText(info.bookAttributes[4]);
    t.updateCondition = accessConditionText(info.bookAttributes[5]);
    return t;
}

} // namespace pelmora::model
