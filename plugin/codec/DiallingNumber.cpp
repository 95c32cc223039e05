#include "codec/DiallingNumber.h"

#include <algorithm>

namespace brontel::codec {

namespace {

constexpr uint8_t kUnused = 0xFF;
constexpr char16_t kDigitCharacters[] = u"0123456789*#p";

std::optional<uint8_t> digitCode(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return static_cast<uint8_t>(c - u'0');
    }
    switch (c) {
    case u'*':
        return 0xA;
    case u'#':
        return 0xB;
    case u'p':
    case u'P':
        return 0xC;
    default:
        return std::nullopt;
    }
}

constexpr bool isFormatting(char16_t c) {
    return c == u' ' || c == u'-' || c == u'(' || c == u')' || c == u'[' || c == u']';
}

} // namespace

DiallingNumber parseDiallingNumber(std::u16string_view text) {
    DiallingNumber number;
    for (char16_t c : text) {
        if (c == u'+') {
            number.tonNpi = kTonNpiInternational;
        } else if (std::optional<uint8_t> digit = digitCode(c)) {
            number.digits.push_back(*digit);
        } else if (!isFormatting(c)) {
            number.droppedCharacters = true;
        }
    }
    return number;
}

std::vector<uint8_t> packBcd(std::span<const uint8_t> digits) {
    std::vector<uint8_t> bytes((digits.size() + 1) / 2, kUnused);
    for (size_t i = 0; i < digits.size(); ++i) {
        uint8_t& b = bytes[i / 2];
        const auto nibble = static_cast<uint8_t>(digits[i] & 0x0F);
        b = (i % 2 == 0) ? static_cast<uint8_t>((b & 0xF0) | nibble)
                         : static_cast<uint8_t>((b & 0x0F) | (nibble << 4));
    }
    return bytes;
}

std::u16string unpackBcd(std::span<const uint8_t> bytes, size_t maxCharacters) {
    std::u16string text;
    for (uint8_t b : bytes) {
        for (const uint8_t nibble :
             {static_cast<uint8_t>(b & 0x0F), static_cast<uint8_t>(b >> 4)}) {
            if (nibble > 0xC || text.size() >= maxCharacters) {
                return text;
            }
            text.push_back(kDigitCharacters[nibble]);
        }
    }
    return text;
}

EncodedAdnNumber encodeAdnNumber(std::u16string_view text) {
    EncodedAdnNumber out;
    out.field.fill(kUnused);
    const DiallingNumber number = parseDiallingNumber(text);
    out.didNotFit = number.droppedCharacters;
    if (number.digits.empty()) {
        return out;
    }
    const std::vector<uint8_t> bcd = packBcd(number.digits);
    const size_t inRecord = std::min(bcd.size(), kAdnBcdLength);
    out.field[0] = static_cast<uint8_t>(inRecord + 1);
    out.field[1] = number.tonNpi;
    std::copy_n(bcd.begin(), inRecord, out.field.begin() + 2);
    out.extensionBcd.assign(bcd.begin() + static_cast<ptrdiff_t>(inRecord), bcd.end());
    return out;
}

std::u16string decodeAdnNumber(std::span<const uint8_t, kAdnNumberLength> field) {
    const uint8_t length = field[0];
    if (length == 0 || length > kAdnBcdLength + 1) {
        return {};
    }
    std::u16string digits = unpackBcd(field.subspan(2, length - 1u), kMaxNumberCharacters);
    if (!digits.empty() && isInternational(field[1])) {
        digits.insert(digits.begin(), u'+');
        digits.resize(std::min(digits.size(), kMaxNumberCharacters));
    }
    return digits;
}

std::optional<uint8_t> adnExtensionRecord(std::span<const uint8_t, kAdnNumberLength> field) {
    const uint8_t id = field[kAdnExtensionIdOffset];
    if (id == 0 || id == kUnused) {
        return std::nullopt;
    }
    return id;
}

EncodedBytes buildExtensionRecord(std::span<const uint8_t> bcd, size_t recordLength) {
    EncodedBytes out{std::vector<uint8_t>(recordLength, kUnused), false};
    if (recordLength < 4) {
        out.didNotFit = !bcd.empty();
        return out;
    }
    const size_t room = recordLength - 3;
    const size_t length = std::min(bcd.size(), room);
    out.didNotFit = length < bcd.size();
    out.bytes[0] = kExtensionAdditionalData;
    out.bytes[1] = static_cast<uint8_t>(length);
    std::copy_n(bcd.begin(), length, out.bytes.begin() + 2);
    return out;
}

bool isFreeExtensionRecord(std::span<const uint8_t> record) {
    return record.empty() || record[0] != kExtensionAdditionalData;
}

bool appendExtensionDigits(std::u16string& number, std::span<const uint8_t> record) {
    if (isFreeExtensionRecord(record) || record.size() < 3) {
        return false;
    }
    // The last byte links to a further record and never holds digits.
    const size_t room = kMaxNumberCharacters - std::min(number.size(), kMaxNumberCharacters);
    number += unpackBcd(record.subspan(2, record.size() - 3), room);
    return true;
}

} // namespace brontel::codec
