#include "codec/AlphaIdentifier.h"
#include "Hex.h"

#include <gtest/gtest.h>

namespace brontel::codec {
namespace {

using test::hex;
using test::hexText;

std::string encoded(std::u16string_view name, size_t field) {
    return hexText(encodeAlphaIdentifier(name, field).bytes);
}

// TS 51.011 Annex B (= ETSI TS 102 221 Annex A) worked examples and
// independent walk-throughs of them; every one reads back exactly.
TEST(AlphaIdentifierDecoding, StandardUcs2Examples) {
    const struct {
        const char* name;
        const char* bytes;
        std::u16string_view text;
    } cases[] = {
        // Annex B example 2: "S" as a default-alphabet code, two Bengali letters
        // in the half-page 0980 (victor8481.blogspot.com, 2013).
        {"81 Bengali", "81 03 13 53 95 A6 FF FF", u"S\u0995\u09A6"},
        // Annex B example 3: base pointer 0530, "-" and "1" as default-alphabet codes.
        {"82 Armenian", "82 05 05 30 2D 82 D3 2D 31", u"-\u0532\u0583-1"},
        // Thai and Chinese examples from xionghuilin.com, "UCS2 code (80,81,82) in SIM card".
        {"81 Thai", "81 03 1C 9C B5 C6", u"\u0E1C\u0E35\u0E46"},
        {"82 Chinese", "82 03 67 00 DC DC 31", u"\u675C\u675C1"},
        {"80", "80 00 41 04 16 FF FF", u"A\u0416"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(decodeAlphaIdentifier(hex(c.bytes)), c.text) << c.name;
    }
}

TEST(AlphaIdentifierDecoding, Ucs2TextEndsOnlyWhereItSays) {
    // A pair with one FF byte is an ordinary character: 仿, ÿ, the fullwidth comma.
    EXPECT_EQ(decodeAlphaIdentifier(hex("80 4E FF 00 FF FF 0C 00 41 FF FF")),
              u"\u4EFF\u00FF\uFF0CA");
    EXPECT_EQ(decodeAlphaIdentifier(hex("80 00 41 00 42")), u"AB"); // up to the field's end
    EXPECT_EQ(decodeAlphaIdentifier(hex("80 00 41 00")), u"A");     // odd byte left over
    // 0x81 and 0x82 hold exactly the count's characters, FF included.
    EXPECT_EQ(decodeAlphaIdentifier(hex("81 03 08 98 FF B0 FF")), u"\u0418\u047F\u0430");
    EXPECT_EQ(decodeAlphaIdentifier(hex("82 02 04 10 FF 80 FF")), u"\u048F\u0410");
    // ... bounded by the field.
    EXPECT_EQ(decodeAlphaIdentifier(hex("81 09 08 98 B2")), u"\u0418\u0432");
    EXPECT_EQ(decodeAlphaIdentifier(hex("81 05")), u"");
    EXPECT_EQ(decodeAlphaIdentifier(hex("82 05 04")), u"");
}

TEST(AlphaIdentifierDecoding, DefaultAlphabetThroughTheCardTable) {
    EXPECT_EQ(decodeAlphaIdentifier(hex("41 00 42 FF 43")), u"A@B");
    EXPECT_EQ(decodeAlphaIdentifier(hex("FF 41")), u"");
    // Cards written earlier hold è â ê ã ä é at the Greek capitals' codes.
    EXPECT_EQ(decodeAlphaIdentifier(hex("12 13 15 16 18 19")),
              u"\u00E8\u00E2\u00EA\u00E3\u00E4\u00E9");
    // The codes that table left as control characters are Greek capitals again.
    EXPECT_EQ(decodeAlphaIdentifier(hex("10 14 17 1A")), u"\u0394\u039B\u03A8\u039E");
    EXPECT_EQ(decodeAlphaIdentifier(hex("1B 3C 41 1B 3E")), u"[A]");
    EXPECT_EQ(decodeAlphaIdentifier(hex("41 E9")), u"A\u00E9"); // bytes above 7F as Latin-1
    // 0x81 and 0x82 read their default-alphabet codes through the same table.
    EXPECT_EQ(decodeAlphaIdentifier(hex("81 02 08 98 12")), u"\u0418\u00E8");
}

TEST(AlphaIdentifierDecoding, StopsAtTheCharacterLimit) {
    std::vector<uint8_t> field(250, 0x41);
    EXPECT_EQ(decodeAlphaIdentifier(field).size(), kMaxNameCharacters);
    EXPECT_EQ(decodeAlphaIdentifier(field, 3), u"AAA");
}

TEST(AlphaIdentifierEncoding, FirstSchemeThatHoldsEveryCharacter) {
    // Four ASCII letters: default alphabet, FF padding.
    EXPECT_EQ(encoded(u"Mike", 8), "4D 69 6B 65 FF FF FF FF");
    // Four Cyrillic letters: 0x81, count 4, half-page 0400.
    EXPECT_EQ(encoded(u"\u0418\u0432\u0430\u043D", 10), "81 04 08 98 B2 B0 BD FF FF FF");
    EXPECT_EQ(encoded(u"a@b", 4), "61 00 62 FF");
    // Characters of the escape table stay in the default alphabet.
    EXPECT_EQ(encoded(u"[x]~", 8), "1B 3C 78 1B 3E 1B 3D FF");
    // Two half-pages close together: 0x82 with the lowest character as base.
    EXPECT_EQ(encoded(u"\u03A9\u0416", 8), "82 02 03 A9 80 ED FF FF");
    // Too far apart for one window: 0x80.
    EXPECT_EQ(encoded(u"\u0416\u4E2D", 8), "80 04 16 4E 2D FF FF FF");
}

TEST(AlphaIdentifierEncoding, NameReadsBackExactlyAsTyped) {
    // Each of these was stored wrongly before: raw bytes for characters the
    // default alphabet lacks, raw ASCII inside 0x81, the wrong half-page base,
    // Greek capitals at codes that read as accented letters.
    const std::u16string_view names[] = {
        u"a`b",
        u"x\\y^z|{}",
        u"\u0418\u0432\u0430\u043D @$_",
        u"\u0418\u0432\u0430\u043D [1]",
        u"\u00E9\u0416\u0418",
        u"\u0410\u047F",
        u"\u00FF",
        u"\u03A6\u0393\u03A9\u03A0\u03A3\u0398",
        u"\u0394\u039B\u03A8\u039E",
        u"\u00E2\u00EA\u00E3",
        u"\u00E8\u00E9\u00E4",
        u"\uFF0C\u4EFF",
        u"\U0001F600 smile",
    };
    for (std::u16string_view name : names) {
        EncodedBytes field = encodeAlphaIdentifier(name, 30);
        EXPECT_FALSE(field.didNotFit);
        EXPECT_EQ(decodeAlphaIdentifier(field.bytes), name) << hexText(field.bytes);
    }
}

TEST(AlphaIdentifierEncoding, NeverWritesAmbiguousCodesOrFFCharacters) {
    for (char16_t c = 1; c < 0x500; ++c) {
        const std::u16string name(2, c);
        EncodedBytes field = encodeAlphaIdentifier(name, 10);
        ASSERT_EQ(decodeAlphaIdentifier(field.bytes), name) << int(c);
        const uint8_t scheme = field.bytes[0];
        const size_t start = scheme == 0x81 ? 3 : scheme == 0x82 ? 4 : scheme == 0x80 ? 1 : 0;
        const size_t length = scheme == 0x80 ? 4 : (field.bytes[start] == 0x1B ? 4 : 2);
        for (size_t i = start; i < start + length; ++i) {
            if (scheme != 0x80) {
                EXPECT_NE(field.bytes[i], 0xFF) << int(c);
            }
            if (scheme != 0x80 && field.bytes[i] < 0x80) {
                const uint8_t b = field.bytes[i];
                EXPECT_FALSE(b == 0x12 || b == 0x13 || b == 0x15 || b == 0x16 || b == 0x18 ||
                             b == 0x19)
                    << int(c);
            }
        }
    }
}

TEST(AlphaIdentifierEncoding, CutAtACharacterBoundaryAndReported) {
    const struct {
        std::u16string_view name;
        size_t field;
        const char* bytes;
        bool cut;
    } cases[] = {
        {u"abc", 3, "61 62 63", false},
        {u"ab[", 3, "61 62 FF", true}, // an escape pair is never split
        {u"\u0418\u0432\u0430\u043D", 5, "81 02 08 98 B2", true},
        {u"\u4E2D\U0001F600", 6, "80 4E 2D FF FF FF", true}, // nor a surrogate pair
        {u"\u4E2D", 2, "FF FF", true},
        {u"", 4, "FF FF FF FF", false},
        // U+FFFF would read as the end of the text.
        {u"\u4E2D\uFFFF\u4E2D", 9, "80 4E 2D 4E 2D FF FF FF FF", true},
    };
    for (const auto& c : cases) {
        EncodedBytes field = encodeAlphaIdentifier(c.name, c.field);
        EXPECT_EQ(hexText(field.bytes), hexText(hex(c.bytes)));
        EXPECT_EQ(field.didNotFit, c.cut) << c.bytes;
    }
}

} // namespace
} // namespace brontel::codec
