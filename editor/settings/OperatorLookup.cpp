#include "OperatorLookup.h"

#include "CaseInsensitive.h"
#include "HexDigits.h"

#include <string>

namespace pelmora::velmet {
namespace {

// The value as the list is read: cut to maxLength characters.
std::u16string read(const platform::ProfileDocument& list, std::u16string_view section,
                    std::u16string_view key, std::size_t maxLength) {
    std::u16string value = list.value(section, key).value_or(u"");
    if (value.size() > maxLength) {
        value.resize(maxLength);
    }
    return value;
}

std::u16string hex(unsigned value) {
    return platform::hexNumber<char16_t>(value);
}

unsigned swapNibbles(unsigned byte) {
    return (byte & 0x0Fu) << 4 | byte >> 4;
}

bool matches(std::u16string_view value, std::u16string_view text, std::u16string_view olderText) {
    return platform::equalsIgnoreCase(value, text) || platform::equalsIgnoreCase(value, olderText);
}

} // namespace

std::optional<OperatorInfo> lookupOperator(const std::array<uint8_t, 3>& location,
                                           const platform::ProfileDocument& list) {
    const unsigned b1 = location[0];
    const unsigned b2 = location[1];
    const unsigned b3 = location[2];
    const unsigned mccDigits[] = {b1 & 0x0Fu, b1 >> 4u, b2 & 0x0Fu};
    const unsigned mnc3 = b2 >> 4u;
    const unsigned mncDigits[] = {b3 & 0x0Fu, b3 >> 4u};
    const bool twoDigitMnc = mnc3 == 0x0F;
    bool valid = b1 != 0xFF && b2 != 0xFF && b3 != 0xFF && (twoDigitMnc || mnc3 <= 9);
    for (unsigned digit : mccDigits) {
        valid = valid && digit <= 9;
    }
    for (unsigned digit : mncDigits) {
        valid = valid && digit <= 9;
    }
    if (!valid) {
        return std::nullopt;
    }

    OperatorInfo info;
    for (unsigned digit : mccDigits) {
        info.mcc.push_back(static_cast<char16_t>(u'0' + digit));
    }
    for (unsigned digit : mncDigits) {
        info.mnc.push_back(static_cast<char16_t>(u'0' + digit));
    }
    if (!twoDigitMnc) {
        info.mnc.push_back(static_cast<char16_t>(u'0' + mnc3));
    }
    const std::u16string olderMcc = hex(swapNibbles(b1)) + hex(b2 & 0x0Fu);
    const std::u16string olderMnc =
        twoDigitMnc ? hex(swapNibbles(b3)) : hex(mnc3) + hex(swapNibbles(b3));

    for (unsigned n = 1;; ++n) {
        const std::string number = std::to_string(n);
        const std::u16string section = u"PLMN" + std::u16string(number.begin(), number.end());
        const std::u16string mcc = read(list, section, u"mcc", 9);
        if (mcc.empty()) {
            break;
        }
        if (!matches(mcc, info.mcc, olderMcc)) {
            continue;
        }
        info.country = read(list, section, u"country", 259);
        if (matches(read(list, section, u"mnc", 19), info.mnc, olderMnc)) {
            info.operatorName = read(list, section, u"operator", 259);
            info.networkType = read(list, section, u"network_type", 259);
            info.found = true;
            break;
        }
    }
    return info;
}

std::optional<OperatorInfo> lookupOperator(const std::array<uint8_t, 3>& location,
                                           const std::filesystem::path& list) {
    return lookupOperator(location, platform::ProfileDocument::load(list));
}

std::u16string networkLine(const std::optional<OperatorInfo>& info) {
    if (!info) {
        return {};
    }
    std::u16string line = info->found ? info->operatorName : info->mnc;
    if (!info->country.empty()) {
        line += u" " + info->country;
    } else if (!info->mcc.empty()) {
        line += u" " + info->mcc;
    }
    if (info->found && !info->networkType.empty()) {
        line += u" " + info->networkType;
    }
    return line;
}

} // namespace pelmora::velmet
