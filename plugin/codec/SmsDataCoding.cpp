#include "codec/SmsDataCoding.h"

#include <algorithm>

namespace brontel::codec {

namespace {

SmsAlphabet alphabetBits(uint8_t bits) {
    switch (bits & 0x0C) {
    case 0x04:
        return SmsAlphabet::EightBit;
    case 0x08:
        return SmsAlphabet::Ucs2;
    default:
        return SmsAlphabet::Gsm7; // 0x0C is reserved
    }
}

bool isPlainSevenBit(char16_t c) {
    switch (c) {
    case u' ':
    case u'!':
    case u'\r':
    case u'\n':
    case u'\u00C4':
    case u'\u00E4':
    case u'\u00D6':
    case u'\u00F6':
    case u'\u00DC':
    case u'\u00FC':
        return true;
    default:
        return (c >= u'$' && c <= u'/') || (c >= u'0' && c <= u'Z') || (c >= u'a' && c <= u'z');
    }
}

} // namespace

SmsAlphabet smsAlphabet(uint8_t dcs) {
    switch (dcs >> 4) {
    case 0x0:
    case 0x1:
    case 0x2:
    case 0x3: // general data coding
    case 0x4:
    case 0x5:
    case 0x6:
    case 0x7: // the same, marked for automatic deletion
        if (dcs & 0x20) {
            return SmsAlphabet::Unreadable; // compressed
        }
        return alphabetBits(dcs);
    case 0xC:
    case 0xD: // message waiting indication, default alphabet
        return SmsAlphabet::Gsm7;
    case 0xE: // message waiting indication, UCS2
        return SmsAlphabet::Ucs2;
    case 0xF: // data coding / message class
        return (dcs & 0x04) ? SmsAlphabet::EightBit : SmsAlphabet::Gsm7;
    default: // reserved groups
        return SmsAlphabet::Gsm7;
    }
}

SmsAlphabet chooseSmsAlphabet(std::u16string_view text) {
    if (std::any_of(text.begin(), text.end(), [](char16_t c) { return c > 0xFF; })) {
        return SmsAlphabet::Ucs2;
    }
    if (!std::all_of(text.begin(), text.end(), isPlainSevenBit)) {
        return SmsAlphabet::EightBit;
    }
    return SmsAlphabet::Gsm7;
}

uint8_t dataCodingScheme(SmsAlphabet alphabet) {
    switch (alphabet) {
    case SmsAlphabet::EightBit:
        return 0x04;
    case SmsAlphabet::Ucs2:
        return 0x08;
    default:
        return 0x00;
    }
}

} // namespace brontel::codec
