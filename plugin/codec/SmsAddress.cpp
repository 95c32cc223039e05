#include "codec/SmsAddress.h"

#include "codec/AlphaIdentifier.h"
#include "codec/DiallingNumber.h"
#include "codec/GsmAlphabet.h"
#include "codec/SeptetPacking.h"

#include <algorithm>

namespace brontel::codec {

namespace {

constexpr bool isAlphanumeric(uint8_t tonNpi) {
    return (tonNpi & 0x70) == 0x50;
}

std::u16string numberText(uint8_t tonNpi, std::span<const uint8_t> bcd, size_t digits,
                          size_t maxCharacters) {
    std::u16string text = unpackBcd(bcd, std::min(digits, maxCharacters));
    if (!text.empty() && isInternational(tonNpi)) {
        text.insert(text.begin(), u'+');
        text.resize(std::min(text.size(), maxCharacters));
    }
    return text;
}

// Without a digit ("+", "(") text is no number: written as one, it would
// reach the card as an empty address.
bool isNumberText(std::u16string_view text) {
    if (!text.empty() && text.front() == u'+') {
        text.remove_prefix(1);
    }
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char16_t c) {
        return (c >= u'0' && c <= u'9') || c == u'*' || c == u'#';
    });
}

std::u16string withoutFormatting(std::u16string_view text) {
    std::u16string out;
    std::copy_if(text.begin(), text.end(), std::back_inserter(out), [](char16_t c) {
        return c != u' ' && c != u'-' && c != u'(' && c != u')' && c != u'[' && c != u']';
    });
    return out;
}

EncodedBytes encodeNumber(std::u16string_view text) {
    DiallingNumber number = parseDiallingNumber(text);
    EncodedBytes out;
    out.didNotFit = number.droppedCharacters || number.digits.size() > kMaxAddressDigits;
    number.digits.resize(std::min(number.digits.size(), kMaxAddressDigits));
    const std::vector<uint8_t> bcd = packBcd(number.digits);
    out.bytes.push_back(static_cast<uint8_t>(number.digits.size()));
    out.bytes.push_back(number.tonNpi);
    out.bytes.insert(out.bytes.end(), bcd.begin(), bcd.end());
    return out;
}

// Only single codes that read the same through both tables this program has
// used, so that every version reads the address as written.
EncodedBytes encodeAlphanumeric(std::u16string_view text) {
    EncodedBytes out;
    std::vector<uint8_t> septets;
    const size_t room = kMaxAddressOctets * 8 / 7;
    for (char16_t c : text) {
        std::optional<GsmCode> code = alphaIdentifierCode(c);
        if (!code || code->escaped) {
            out.didNotFit = true;
        } else if (septets.size() == room) {
            out.didNotFit = true;
            break;
        } else {
            septets.push_back(code->code);
        }
    }
    const std::vector<uint8_t> packed = packSeptets(septets);
    // The length counts the semi-octets that hold data.
    out.bytes.push_back(static_cast<uint8_t>((septets.size() * 7 + 3) / 4));
    out.bytes.push_back(kTonNpiAlphanumeric);
    out.bytes.insert(out.bytes.end(), packed.begin(), packed.end());
    return out;
}

} // namespace

std::optional<SmsAddress> decodeSmsAddress(std::span<const uint8_t> bytes, size_t maxCharacters) {
    if (bytes.size() < 2) {
        return std::nullopt;
    }
    const size_t digits = bytes[0];
    const uint8_t tonNpi = bytes[1];
    const size_t valueOctets = (digits + 1) / 2;
    if (2 + valueOctets > bytes.size()) {
        return std::nullopt;
    }
    const auto value = bytes.subspan(2, valueOctets);
    SmsAddress out;
    out.octets = 2 + valueOctets;
    if (isAlphanumeric(tonNpi)) {
        const std::vector<uint8_t> septets = unpackSeptets(value, digits * 4 / 7);
        out.text = decodeGsmText(septets, gsmDefaultTable(), maxCharacters);
    } else {
        out.text = numberText(tonNpi, value, digits, maxCharacters);
    }
    return out;
}

EncodedBytes encodeSmsAddress(std::u16string_view text) {
    const std::u16string compact = withoutFormatting(text);
    if (text.empty() || isNumberText(compact)) {
        return encodeNumber(compact);
    }
    return encodeAlphanumeric(text);
}

std::u16string decodeServiceCentreAddress(std::span<const uint8_t> value, size_t maxCharacters) {
    if (value.empty()) {
        return {};
    }
    const auto bcd = value.subspan(1);
    return numberText(value[0], bcd, bcd.size() * 2, maxCharacters);
}

} // namespace brontel::codec
