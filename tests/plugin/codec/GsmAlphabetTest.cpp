#include "codec/GsmAlphabet.h"
#include "Hex.h"
#include "codec/AlphaIdentifier.h"
#include "codec/SeptetPacking.h"

#include <gtest/gtest.h>

namespace brontel::codec {
namespace {

using test::hex;

std::vector<uint8_t> septetsOf(std::u16string_view text) {
    std::vector<uint8_t> septets;
    for (char16_t c : text) {
        GsmCode code = gsmCode(c).value();
        if (code.escaped) {
            septets.push_back(kGsmEscape);
        }
        septets.push_back(code.code);
    }
    return septets;
}

std::u16string textOf(const std::vector<uint8_t>& septets) {
    return decodeGsmText(septets, gsmDefaultTable(), 1000);
}

// 3GPP TS 23.038 6.2.1, the codes where the default alphabet leaves ASCII.
TEST(GsmAlphabet, DefaultTableHoldsTheStandardCharacters) {
    const struct {
        uint8_t code;
        char16_t character;
    } cases[] = {
        {0x00, u'@'},      {0x01, u'\u00A3'}, {0x02, u'$'},      {0x09, u'\u00C7'},
        {0x0A, u'\n'},     {0x0D, u'\r'},     {0x10, u'\u0394'}, {0x11, u'_'},
        {0x12, u'\u03A6'}, {0x13, u'\u0393'}, {0x14, u'\u039B'}, {0x15, u'\u03A9'},
        {0x16, u'\u03A0'}, {0x17, u'\u03A8'}, {0x18, u'\u03A3'}, {0x19, u'\u0398'},
        {0x1A, u'\u039E'}, {0x1F, u'\u00C9'}, {0x24, u'\u00A4'}, {0x40, u'\u00A1'},
        {0x5B, u'\u00C4'}, {0x5F, u'\u00A7'}, {0x60, u'\u00BF'}, {0x7F, u'\u00E0'},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(gsmDefaultTable()[c.code], c.character) << int(c.code);
    }
}

TEST(GsmAlphabet, EveryCharacterEncodesBackToItsCode) {
    for (uint8_t code = 0; code < 0x80; ++code) {
        if (code == kGsmEscape) {
            continue;
        }
        EXPECT_EQ(gsmCode(gsmDefaultTable()[code]), (GsmCode{code, false})) << int(code);
    }
    const char16_t extension[] = u"\f^{}\\[~]|\u20AC";
    for (char16_t c : std::u16string_view(extension)) {
        std::optional<GsmCode> code = gsmCode(c);
        ASSERT_TRUE(code) << int(c);
        EXPECT_TRUE(code->escaped);
        EXPECT_EQ(gsmExtensionCharacter(code->code), c);
    }
    EXPECT_FALSE(gsmCode(u'`'));
    EXPECT_FALSE(gsmCode(u'\u00E2'));
    EXPECT_FALSE(gsmCode(0));
}

TEST(GsmAlphabet, EscapeSequences) {
    EXPECT_EQ(textOf(hex("1B 65 31 30")), u"\u20AC10");
    EXPECT_EQ(textOf(hex("1B 3C 1B 3E")), u"[]");
    // TS 23.038: an unknown extension code shows the main table's character,
    // the reserved second escape a space.
    EXPECT_EQ(textOf(hex("1B 41")), u"A");
    EXPECT_EQ(textOf(hex("1B 1B 41")), u" A");
    EXPECT_EQ(textOf(hex("41 1B")), u"A");
}

TEST(GsmAlphabet, AlphaIdentifierTableDiffersOnlyWhereEarlierCardsNeedIt) {
    const GsmTable& alpha = alphaIdentifierTable();
    const std::u16string_view kept = u"\u00E8\u00E2\u00EA\u00E3\u00E4\u00E9";
    const uint8_t keptCodes[] = {0x12, 0x13, 0x15, 0x16, 0x18, 0x19};
    size_t differences = 0;
    for (uint8_t code = 0; code < 0x80; ++code) {
        differences += alpha[code] != gsmDefaultTable()[code];
    }
    EXPECT_EQ(differences, 6u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(alpha[keptCodes[i]], kept[i]);
        EXPECT_FALSE(alphaIdentifierCode(gsmDefaultTable()[keptCodes[i]]));
    }
    // The rest of the Greek capitals are read and written as the standard has them.
    EXPECT_EQ(alpha[0x10], u'\u0394');
    EXPECT_EQ(alpha[0x14], u'\u039B');
    EXPECT_EQ(alpha[0x17], u'\u03A8');
    EXPECT_EQ(alpha[0x1A], u'\u039E');
    EXPECT_EQ(alphaIdentifierCode(u'\u00E9'), (GsmCode{0x05, false}));
    EXPECT_EQ(alphaIdentifierCode(u'\u00E8'), (GsmCode{0x04, false}));
    EXPECT_EQ(alphaIdentifierCode(u'\u00E4'), (GsmCode{0x7B, false}));
    EXPECT_FALSE(alphaIdentifierCode(u'\u00E2'));
}

struct PackingVector {
    const char* name;
    std::u16string_view text;
    unsigned fillBits;
    const char* packed;
};

// "Hello" and "Tokyo": this plug-in's own worked examples; "hellohello": the
// classic 3GPP TS 23.038 illustration; the rest from the tests of the MIT
// licensed Go package github.com/warthog618/sms (encoding/gsm7/7bit_test.go).
const PackingVector kPackingVectors[] = {
    {"Hello", u"Hello", 0, "C8 32 9B FD 06"},
    {"Tokyo", u"Tokyo", 0, "D4 F7 3A FF 06"},
    {"hellohello", u"hellohello", 0, "E8 32 9B FD 46 97 D9 EC 37"},
    {"message", u"message", 0, "ED F2 7C 1E 3E 97 01"},
    {"nine", u"pattern!!", 0, "F0 30 9D 5E 96 BB 43 21"},
    {"long", u"a very long test pattern", 0,
     "61 90 BD 2C CF 83 D8 6F F7 19 44 2F CF E9 20 78 98 4E 2F CB DD"},
    {"fill1", u"\u00E0", 1, "FE"},
    {"fill3", u"\u00E0", 3, "F8 03"},
    {"fill6", u"\u00E0", 6, "C0 1F"},
};

TEST(SeptetPacking, PublishedVectorsPackAndUnpack) {
    for (const PackingVector& v : kPackingVectors) {
        const std::vector<uint8_t> septets = septetsOf(v.text);
        EXPECT_EQ(packSeptets(septets, v.fillBits), hex(v.packed)) << v.name;
        EXPECT_EQ(textOf(unpackSeptets(hex(v.packed), septets.size(), v.fillBits)), v.text)
            << v.name;
    }
}

TEST(SeptetPacking, OctetFFIsOrdinaryData) {
    EXPECT_EQ(textOf(unpackSeptets(hex("D4 F7 3A FF 06"), 5)), u"Tokyo");
    const std::vector<uint8_t> muesli = packSeptets(septetsOf(u"M\u00FCsli"));
    ASSERT_EQ(muesli.at(1), 0xFF);
    EXPECT_EQ(textOf(unpackSeptets(muesli, 5)), u"M\u00FCsli");
}

TEST(SeptetPacking, UnpacksExactlyTheCountWithinTheOctets) {
    // Seven septets leave a zero tail that reads as "@" only if asked for eight.
    EXPECT_EQ(unpackSeptets(hex("ED F2 7C 1E 3E 97 01"), 7).size(), 7u);
    EXPECT_EQ(textOf(unpackSeptets(hex("ED F2 7C 1E 3E 97 01"), 8)), u"message@");
    // A count beyond the octets stops at the last whole septet.
    EXPECT_EQ(unpackSeptets(hex("C8 32 9B FD 06"), 160).size(), 5u);
    EXPECT_TRUE(unpackSeptets({}, 3).empty());
    EXPECT_EQ(packedLength(160), 140u);
    EXPECT_EQ(packedLength(7, 1), 7u);
}

} // namespace
} // namespace brontel::codec
