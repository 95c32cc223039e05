#include "codec/GsmAlphabet.h"

#include <algorithm>

namespace brontel::codec {

namespace {

constexpr GsmTable makeDefaultTable() {
    GsmTable t{};
    for (size_t i = 0x20; i < 0x80; ++i) {
        t[i] = static_cast<char16_t>(i);
    }
    constexpr char16_t low[32] = {
        u'@',      u'\u00A3', u'$',      u'\u00A5', u'\u00E8', u'\u00E9', u'\u00F9', u'\u00EC',
        u'\u00F2', u'\u00C7', u'\n',     u'\u00D8', u'\u00F8', u'\r',     u'\u00C5', u'\u00E5',
        u'\u0394', u'_',      u'\u03A6', u'\u0393', u'\u039B', u'\u03A9', u'\u03A0', u'\u03A8',
        u'\u03A3', u'\u0398', u'\u039E', 0,         u'\u00C6', u'\u00E6', u'\u00DF', u'\u00C9',
    };
    for (size_t i = 0; i < 32; ++i) {
        t[i] = low[i];
    }
    t[0x24] = u'\u00A4';
    t[0x40] = u'\u00A1';
    t[0x5B] = u'\u00C4';
    t[0x5C] = u'\u00D6';
    t[0x5D] = u'\u00D1';
    t[0x5E] = u'\u00DC';
    t[0x5F] = u'\u00A7';
    t[0x60] = u'\u00BF';
    t[0x7B] = u'\u00E4';
    t[0x7C] = u'\u00F6';
    t[0x7D] = u'\u00F1';
    t[0x7E] = u'\u00FC';
    t[0x7F] = u'\u00E0';
    return t;
}

constexpr GsmTable kDefaultTable = makeDefaultTable();

struct ExtensionEntry {
    uint8_t code;
    char16_t character;
};

constexpr ExtensionEntry kExtension[] = {
    {0x0A, u'\f'}, {0x14, u'^'}, {0x28, u'{'}, {0x29, u'}'}, {0x2F, u'\\'},
    {0x3C, u'['},  {0x3D, u'~'}, {0x3E, u']'}, {0x40, u'|'}, {0x65, u'\u20AC'},
};

} // namespace

const GsmTable& gsmDefaultTable() {
    return kDefaultTable;
}

char16_t gsmExtensionCharacter(uint8_t code) {
    for (const ExtensionEntry& e : kExtension) {
        if (e.code == code) {
            return e.character;
        }
    }
    return 0;
}

std::optional<GsmCode> gsmCode(char16_t c) {
    if (c == 0) {
        return std::nullopt;
    }
    const auto* it = std::find(kDefaultTable.begin(), kDefaultTable.end(), c);
    if (it != kDefaultTable.end()) {
        return GsmCode{static_cast<uint8_t>(it - kDefaultTable.begin()), false};
    }
    for (const ExtensionEntry& e : kExtension) {
        if (e.character == c) {
            return GsmCode{e.code, true};
        }
    }
    return std::nullopt;
}

std::u16string decodeGsmText(std::span<const uint8_t> codes, const GsmTable& table,
                             size_t maxCharacters) {
    std::u16string text;
    for (size_t i = 0; i < codes.size() && text.size() < maxCharacters; ++i) {
        const uint8_t code = codes[i];
        if (code >= 0x80) {
            text.push_back(static_cast<char16_t>(code));
        } else if (code != kGsmEscape) {
            text.push_back(table[code]);
        } else if (i + 1 < codes.size() && codes[i + 1] < 0x80) {
            const uint8_t next = codes[++i];
            if (next == kGsmEscape) {
                text.push_back(u' ');
            } else if (char16_t c = gsmExtensionCharacter(next); c != 0) {
                text.push_back(c);
            } else {
                text.push_back(table[next]);
            }
        }
    }
    return text;
}

} // namespace brontel::codec
