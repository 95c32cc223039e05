#include "codec/AlphaIdentifier.h"

#include <algorithm>
#include <vector>

namespace brontel::codec {

namespace {

constexpr uint8_t kSchemeUcs2 = 0x80;
constexpr uint8_t kSchemeHalfPage = 0x81;
constexpr uint8_t kSchemeWindow = 0x82;
constexpr uint8_t kUnused = 0xFF;

// Codes whose character differs between the two tables: never written.
constexpr bool isAmbiguousCode(uint8_t code) {
    return code == 0x12 || code == 0x13 || code == 0x15 || code == 0x16 || code == 0x18 ||
           code == 0x19;
}

constexpr bool isSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}
constexpr bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

// Encoded characters of a name: the bytes, and where each character ends.
struct CharacterBytes {
    std::vector<uint8_t> bytes;
    std::vector<size_t> ends;

    void endCharacter() { ends.push_back(bytes.size()); }
    // Number of whole characters within the first capacity bytes.
    size_t fitting(size_t capacity) const {
        return static_cast<size_t>(std::upper_bound(ends.begin(), ends.end(), capacity) -
                                   ends.begin());
    }
    size_t byteLength(size_t characters) const {
        return characters == 0 ? 0 : ends[characters - 1];
    }
};

std::optional<CharacterBytes> defaultAlphabetBytes(std::u16string_view name) {
    CharacterBytes out;
    for (char16_t c : name) {
        std::optional<GsmCode> code = alphaIdentifierCode(c);
        if (!code) {
            return std::nullopt;
        }
        if (code->escaped) {
            out.bytes.push_back(kGsmEscape);
        }
        out.bytes.push_back(code->code);
        out.endCharacter();
    }
    return out;
}

// A character of a window scheme written as a single default-alphabet code.
std::optional<uint8_t> windowGsmByte(char16_t c) {
    std::optional<GsmCode> code = alphaIdentifierCode(c);
    if (code && !code->escaped) {
        return code->code;
    }
    return std::nullopt;
}

// The 0x81 and 0x82 schemes: the characters without a single default-alphabet
// code must lie within 127 consecutive values from base, so that no offset byte
// becomes 0xFF.
std::optional<CharacterBytes> windowBytes(std::u16string_view name, char16_t base) {
    CharacterBytes out;
    for (char16_t c : name) {
        if (std::optional<uint8_t> gsm = windowGsmByte(c)) {
            out.bytes.push_back(*gsm);
        } else if (c >= base && c - base < 0x7F) {
            out.bytes.push_back(static_cast<uint8_t>(0x80 | (c - base)));
        } else {
            return std::nullopt;
        }
        out.endCharacter();
    }
    return out;
}

// Smallest and largest character that needs an offset byte; nullopt when some
// character cannot be written in a window scheme at all.
std::optional<std::pair<char16_t, char16_t>> offsetRange(std::u16string_view name) {
    char16_t low = 0xFFFF;
    char16_t high = 0;
    for (char16_t c : name) {
        if (isSurrogate(c)) {
            return std::nullopt;
        }
        if (!windowGsmByte(c)) {
            low = std::min(low, c);
            high = std::max(high, c);
        }
    }
    if (high < low) {
        return std::nullopt;
    }
    return std::pair{low, high};
}

std::optional<CharacterBytes> halfPageBytes(std::u16string_view name, uint8_t& pageByte) {
    auto range = offsetRange(name);
    if (!range || range->first >= 0x8000) {
        return std::nullopt;
    }
    const char16_t base = static_cast<char16_t>(range->first & 0xFF80);
    pageByte = static_cast<uint8_t>(base >> 7);
    return windowBytes(name, base);
}

std::optional<CharacterBytes> windowBytesFromLowest(std::u16string_view name, char16_t& base) {
    auto range = offsetRange(name);
    if (!range) {
        return std::nullopt;
    }
    base = range->first;
    return windowBytes(name, base);
}

// Scheme 0x80; a surrogate pair is one character of four bytes. U+FFFF would
// read as the end of the text, so it is left out.
CharacterBytes ucs2Bytes(std::u16string_view name, bool& dropped) {
    CharacterBytes out;
    for (size_t i = 0; i < name.size(); ++i) {
        const char16_t c = name[i];
        if (c == 0xFFFF) {
            dropped = true;
            continue;
        }
        out.bytes.push_back(static_cast<uint8_t>(c >> 8));
        out.bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        if (isHighSurrogate(c) && i + 1 < name.size() && isSurrogate(name[i + 1])) {
            const char16_t low = name[++i];
            out.bytes.push_back(static_cast<uint8_t>(low >> 8));
            out.bytes.push_back(static_cast<uint8_t>(low & 0xFF));
        }
        out.endCharacter();
    }
    return out;
}

// Copies as many whole characters as fit after a header of headerLength bytes;
// returns the number of characters written.
size_t place(EncodedBytes& out, size_t headerLength, const CharacterBytes& chars) {
    const size_t field = out.bytes.size();
    const size_t capacity = field > headerLength ? field - headerLength : 0;
    const size_t count = chars.fitting(capacity);
    if (count < chars.ends.size()) {
        out.didNotFit = true;
    }
    if (count > 0) {
        std::copy_n(chars.bytes.begin(), chars.byteLength(count),
                    out.bytes.begin() + static_cast<ptrdiff_t>(headerLength));
    }
    return count;
}

bool appendCharacter(std::u16string& text, char16_t c) {
    if (c == 0) {
        return false;
    }
    text.push_back(c);
    return true;
}

std::u16string decodeUcs2(std::span<const uint8_t> bytes, size_t maxCharacters) {
    std::u16string text;
    for (size_t i = 0; i + 1 < bytes.size() && text.size() < maxCharacters; i += 2) {
        const auto c = static_cast<char16_t>(bytes[i] << 8 | bytes[i + 1]);
        if (c == 0xFFFF || !appendCharacter(text, c)) {
            break;
        }
    }
    return text;
}

std::u16string decodeWindow(std::span<const uint8_t> bytes, size_t count, char16_t base,
                            size_t maxCharacters) {
    std::u16string text;
    const size_t n = std::min(count, bytes.size());
    for (size_t i = 0; i < n && text.size() < maxCharacters; ++i) {
        const uint8_t b = bytes[i];
        if (b >= 0x80) {
            if (!appendCharacter(text, static_cast<char16_t>(base + (b & 0x7F)))) {
                break;
            }
            continue;
        }
        const size_t length = (b == kGsmEscape && i + 1 < n && bytes[i + 1] < 0x80) ? 2 : 1;
        text += decodeGsmText(bytes.subspan(i, length), alphaIdentifierTable(), 1);
        i += length - 1;
    }
    return text;
}

} // namespace

const GsmTable& alphaIdentifierTable() {
    static const GsmTable table = [] {
        GsmTable t = gsmDefaultTable();
        t[0x12] = u'\u00E8';
        t[0x13] = u'\u00E2';
        t[0x15] = u'\u00EA';
        t[0x16] = u'\u00E3';
        t[0x18] = u'\u00E4';
        t[0x19] = u'\u00E9';
        return t;
    }();
    return table;
}

std::optional<GsmCode> alphaIdentifierCode(char16_t c) {
    std::optional<GsmCode> code = gsmCode(c);
    if (code && !code->escaped && isAmbiguousCode(code->code)) {
        return std::nullopt;
    }
    return code;
}

std::u16string decodeAlphaIdentifier(std::span<const uint8_t> field, size_t maxCharacters) {
    if (field.empty() || field[0] == kUnused) {
        return {};
    }
    switch (field[0]) {
    case kSchemeUcs2:
        return decodeUcs2(field.subspan(1), maxCharacters);
    case kSchemeHalfPage:
        if (field.size() < 3) {
            return {};
        }
        return decodeWindow(field.subspan(3), field[1], static_cast<char16_t>(field[2] << 7),
                            maxCharacters);
    case kSchemeWindow:
        if (field.size() < 4) {
            return {};
        }
        return decodeWindow(field.subspan(4), field[1],
                            static_cast<char16_t>(field[2] << 8 | field[3]), maxCharacters);
    default: {
        const auto end = std::find(field.begin(), field.end(), kUnused);
        return decodeGsmText(field.first(static_cast<size_t>(end - field.begin())),
                             alphaIdentifierTable(), maxCharacters);
    }
    }
}

EncodedBytes encodeAlphaIdentifier(std::u16string_view name, size_t fieldLength) {
    EncodedBytes out{std::vector<uint8_t>(fieldLength, kUnused), false};
    if (name.empty()) {
        return out;
    }
    if (std::optional<CharacterBytes> gsm = defaultAlphabetBytes(name)) {
        place(out, 0, *gsm);
        return out;
    }
    uint8_t pageByte = 0;
    char16_t base = 0;
    size_t written = 0;
    if (std::optional<CharacterBytes> half = halfPageBytes(name, pageByte)) {
        written = place(out, 3, *half);
        if (written > 0) {
            out.bytes[0] = kSchemeHalfPage;
            out.bytes[1] = static_cast<uint8_t>(written);
            out.bytes[2] = pageByte;
        }
    } else if (std::optional<CharacterBytes> window = windowBytesFromLowest(name, base)) {
        written = place(out, 4, *window);
        if (written > 0) {
            out.bytes[0] = kSchemeWindow;
            out.bytes[1] = static_cast<uint8_t>(written);
            out.bytes[2] = static_cast<uint8_t>(base >> 8);
            out.bytes[3] = static_cast<uint8_t>(base & 0xFF);
        }
    } else {
        bool dropped = false;
        CharacterBytes ucs2 = ucs2Bytes(name, dropped);
        written = place(out, 1, ucs2);
        out.didNotFit = out.didNotFit || dropped;
        if (written > 0) {
            out.bytes[0] = kSchemeUcs2;
        }
    }
    return out;
}

} // namespace brontel::codec
