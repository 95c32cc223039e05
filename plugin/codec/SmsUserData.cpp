#include "codec/SmsUserData.h"

#include "codec/GsmAlphabet.h"
#include "codec/SeptetPacking.h"

#include <algorithm>

namespace brontel::codec {

namespace {

constexpr bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

std::u16string decodeSevenBit(std::span<const uint8_t> userData, size_t udl, bool hasHeader,
                              size_t maxCharacters) {
    std::vector<uint8_t> septets = unpackSeptets(userData, udl);
    if (hasHeader) {
        const size_t headerOctets = userData.empty() ? 0 : size_t{userData[0]} + 1;
        const size_t headerSeptets = (headerOctets * 8 + 6) / 7;
        septets.erase(septets.begin(), septets.begin() + static_cast<ptrdiff_t>(std::min(
                                                             headerSeptets, septets.size())));
    }
    return decodeGsmText(septets, gsmDefaultTable(), maxCharacters);
}

std::u16string decodeOctets(std::span<const uint8_t> userData, size_t udl, bool hasHeader,
                            SmsAlphabet alphabet, size_t maxCharacters) {
    auto octets = userData.first(std::min(udl, userData.size()));
    if (hasHeader) {
        const size_t headerOctets = octets.empty() ? 0 : size_t{octets[0]} + 1;
        octets = octets.subspan(std::min(headerOctets, octets.size()));
    }
    std::u16string text;
    if (alphabet == SmsAlphabet::Ucs2) {
        for (size_t i = 0; i + 1 < octets.size() && text.size() < maxCharacters; i += 2) {
            text.push_back(static_cast<char16_t>(octets[i] << 8 | octets[i + 1]));
        }
    } else {
        for (size_t i = 0; i < octets.size() && text.size() < maxCharacters; ++i) {
            text.push_back(octets[i]);
        }
    }
    // The boundary records hold NUL-terminated text.
    text.resize(std::min(text.size(), text.find(u'\0')));
    return text;
}

EncodedUserData encodeSevenBit(std::u16string_view text, size_t maxOctets) {
    EncodedUserData out;
    const size_t room =
        std::min(kMaxUserDataSeptets, std::min(maxOctets, kMaxUserDataOctets) * 8 / 7);
    std::vector<uint8_t> septets;
    for (char16_t c : text) {
        if (septets.size() == room) {
            out.didNotFit = true;
            break;
        }
        // The chosen alphabet guarantees a single code for every character.
        septets.push_back(gsmCode(c).value_or(GsmCode{0x3F, false}).code);
    }
    out.dataCodingScheme = dataCodingScheme(SmsAlphabet::Gsm7);
    out.length = static_cast<uint8_t>(septets.size());
    out.octets = packSeptets(septets);
    return out;
}

EncodedUserData encodeOctets(std::u16string_view text, SmsAlphabet alphabet, size_t maxOctets) {
    EncodedUserData out;
    const size_t room = std::min(maxOctets, kMaxUserDataOctets);
    const size_t unitLength = alphabet == SmsAlphabet::Ucs2 ? 2 : 1;
    size_t units = std::min(text.size(), room / unitLength);
    if (units < text.size()) {
        out.didNotFit = true;
        if (units > 0 && isHighSurrogate(text[units - 1])) {
            --units;
        }
    }
    for (char16_t c : text.substr(0, units)) {
        if (unitLength == 2) {
            out.octets.push_back(static_cast<uint8_t>(c >> 8));
        }
        out.octets.push_back(static_cast<uint8_t>(c & 0xFF));
    }
    out.dataCodingScheme = dataCodingScheme(alphabet);
    out.length = static_cast<uint8_t>(out.octets.size());
    return out;
}

} // namespace

std::u16string decodeSmsUserData(std::span<const uint8_t> userData, size_t udl, bool hasHeader,
                                 SmsAlphabet alphabet, size_t maxCharacters) {
    switch (alphabet) {
    case SmsAlphabet::Gsm7:
        return decodeSevenBit(userData, udl, hasHeader, maxCharacters);
    case SmsAlphabet::EightBit:
    case SmsAlphabet::Ucs2:
        return decodeOctets(userData, udl, hasHeader, alphabet, maxCharacters);
    default:
        return {};
    }
}

EncodedUserData encodeSmsUserData(std::u16string_view text, size_t maxOctets) {
    const SmsAlphabet alphabet = chooseSmsAlphabet(text);
    if (alphabet == SmsAlphabet::Gsm7) {
        return encodeSevenBit(text, maxOctets);
    }
    return encodeOctets(text, alphabet, maxOctets);
}

} // namespace brontel::codec
