#include "FieldRules.h"

#include "AdditionalValues.h"
#include "BookKind.h"
#include "Brontel.h"

#include <array>

namespace pelmora::model {

namespace {

// Decimal value of a digit string, saturated far above any limit checked here.
uint64_t decimalValue(std::u16string_view digits) {
    constexpr uint64_t kCeiling = uint64_t{1} << 40;
    uint64_t value = 0;
    for (char16_t c : digits) {
        value = value * 10 + static_cast<uint64_t>(c - u'0');
        if (value > kCeiling) {
            return kCeiling;
        }
    }
    return value;
}

bool chatAddressFits(std::u16string_view text) {
    while (true) {
        const size_t dot = text.find(u'.');
        if (decimalValue(text.substr(0, dot)) > 255) {
            return false;
        }
        if (dot == std::u16string_view::npos) {
            return true;
        }
        text.remove_prefix(dot + 1);
    }
}

// Urban, fleet and member number packed as: urban class (2 bits), fleet class
// (3 bits), urban number, fleet number, member number in the remaining bits.
bool privateIdFits(std::u16string_view text) {
    std::array<uint64_t, 3> parts{};
    size_t part = 0;
    while (true) {
        const size_t star = text.find(u'*');
        if (part == parts.size()) {
            return false;
        }
        parts[part++] = decimalValue(text.substr(0, star));
        if (star == std::u16string_view::npos) {
            break;
        }
        text.remove_prefix(star + 1);
    }
    static constexpr std::array<uint64_t, 4> kUrbanLimit = {1023, 16383, 131071, 1048575};
    static constexpr std::array<int, 4> kUrbanShift = {25, 21, 18, 15};
    static constexpr std::array<uint64_t, 6> kFleetLimit = {15, 127, 1023, 16383, 131071, 1048575};
    static constexpr std::array<int, 6> kFleetBits = {4, 7, 10, 14, 17, 20};
    size_t urbanClass = 0;
    while (urbanClass < kUrbanLimit.size() && parts[0] > kUrbanLimit[urbanClass]) {
        ++urbanClass;
    }
    size_t fleetClass = 0;
    while (fleetClass < kFleetLimit.size() && parts[1] > kFleetLimit[fleetClass]) {
        ++fleetClass;
    }
    if (urbanClass == kUrbanLimit.size() || fleetClass == kFleetLimit.size()) {
        return false;
    }
    const int memberBits = kUrbanShift[urbanClass] - kFleetBits[fleetClass];
    return memberBits > 4 && parts[2] < (uint64_t{1} << memberBits);
}

} // namespace

std::u16string_view allowedCharacters(uint16_t bookKind, int valueIndex) {
    if (bookKind != kBookNextel) {
        const bool number =
            valueIndex == kValueMain || (bookKind == kBookUsim && isUsimNumberValue(valueIndex));
        return number ? kNumberCharacters : std::u16string_view{};
    }
    switch (valueIndex) {
    case kValuePrivateId:
        return kPrivateIdCharacters;
    case kValueTalkgroup:
        return kTalkgroupCharacters;
    case kValueChatAddress:
        return kChatAddressCharacters;
    case kValueEmail:
        return kEmailCharacters;
    default:
        return kNumberCharacters;
    }
}

bool consistsOf(std::u16string_view text, std::u16string_view characters) {
    return text.find_first_not_of(characters) == std::u16string_view::npos;
}

bool fitsCardLimits(uint16_t bookKind, int valueIndex, std::u16string_view text) {
    if (bookKind != kBookNextel || text.empty()) {
        return true;
    }
    std::u16string_view allowed = allowedCharacters(bookKind, valueIndex);
    switch (valueIndex) {
    case kValueTalkgroup:
        return consistsOf(text, allowed) && decimalValue(text) <= 255;
    case kValueChatAddress:
        return consistsOf(text, allowed) && chatAddressFits(text);
    case kValuePrivateId:
        return consistsOf(text, allowed) && privateIdFits(text);
    default:
        return true;
    }
}

bool cardCanHold(uint16_t bookKind, int valueIndex, std::u16string_view text) {
    if (valueIndex < 0 || valueIndex >= kValueCount) {
        return false;
    }
    std::u16string_view allowed = allowedCharacters(bookKind, valueIndex);
    if (!allowed.empty() && !consistsOf(text, allowed)) {
        return false;
    }
    return fitsCardLimits(bookKind, valueIndex, text);
}

} // namespace pelmora::model
