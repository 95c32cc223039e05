#include "codec/DiallingNumber.h"
#include "Hex.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace brontel::codec {
namespace {

using test::hex;
using test::hexText;

std::array<uint8_t, kAdnNumberLength> field(std::string_view bytes) {
    std::array<uint8_t, kAdnNumberLength> out{};
    out.fill(0xFF);
    const std::vector<uint8_t> v = hex(bytes);
    std::copy_n(v.begin(), std::min(v.size(), out.size()), out.begin());
    return out;
}

TEST(DiallingNumber, InternationalNumberInThreeBcdBytes) {
    const EncodedAdnNumber number = encodeAdnNumber(u"+44123");
    EXPECT_EQ(hexText({number.field.begin(), number.field.end()}),
              "04 91 44 21 F3 FF FF FF FF FF FF FF FF FF");
    EXPECT_TRUE(number.extensionBcd.empty());
    EXPECT_FALSE(number.didNotFit);
    EXPECT_EQ(decodeAdnNumber(number.field), u"+44123");
}

// Records from the tests of the Android Open Source Project
// (frameworks/opt/telephony, AdnRecordTest.java); the pause digit 0xC reads
// here as "p" where Android shows ",".
TEST(DiallingNumber, DecodesPublishedRecords) {
    const struct {
        const char* bytes;
        std::u16string_view number;
    } cases[] = {
        {"07 91 81 50 36 77 42 F3 FF FF FF FF FF FF", u"+18056377243"},
        {"07 FF 81 50 36 77 42 F3 FF FF FF FF FF FF", u"18056377243"},
        {"07 81 81 50 36 77 42 F3 FF FF FF FF FF FF", u"18056377243"},
        {"0F 91 81 50 36 77 42 F3 FF FF FF FF FF FF", u""}, // length too long
        {"00 91 81 50 36 77 42 F3 FF FF FF FF FF FF", u""}, // length zero
        {"02 91 FF 50 36 77 42 F3 FF FF FF FF FF FF", u""},
        {"02 91 F1 50 36 77 42 F3 FF FF FF FF FF FF", u"+1"},
        {"0B 91 81 88 55 15 12 C2 21 43 65 87 FF 01", u"+18885551212p12345678"},
        {"FF FF FF FF FF FF FF FF FF FF FF FF FF FF", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(decodeAdnNumber(field(c.bytes)), c.number) << c.bytes;
    }
}

TEST(DiallingNumber, ExtensionRecordJoinsTheTail) {
    const auto head = field("0B 91 81 88 55 15 12 C2 21 43 65 87 FF 01");
    EXPECT_EQ(adnExtensionRecord(head), 1);
    std::u16string number = decodeAdnNumber(head);
    EXPECT_TRUE(appendExtensionDigits(number, hex("02 06 09 21 43 65 87 09 FF FF FF FF FF")));
    EXPECT_EQ(number, u"+18885551212p12345678901234567890");

    std::u16string untouched = u"+1";
    EXPECT_FALSE(appendExtensionDigits(untouched, hex("01 06 09 21 43 65 87 09 FF FF FF FF FF")));
    EXPECT_EQ(untouched, u"+1");
    EXPECT_EQ(adnExtensionRecord(field("03 81 21 F3")), std::nullopt);
}

TEST(DiallingNumber, LongNumberSplitsIntoAnExtensionRecordAndJoinsAgain) {
    const std::u16string digits = u"123456789012345678901234";
    const EncodedAdnNumber number = encodeAdnNumber(digits);
    EXPECT_EQ(number.field[0], 11); // ten BCD bytes and the TON/NPI byte
    EXPECT_EQ(number.field[1], kTonNpiUnknown);
    EXPECT_EQ(number.field[12], 0xFF); // capability/configuration untouched
    EXPECT_EQ(number.field[13], 0xFF);
    EXPECT_EQ(number.extensionBcd, hex("21 43"));

    EncodedBytes extension = buildExtensionRecord(number.extensionBcd, 13);
    EXPECT_FALSE(extension.didNotFit);
    EXPECT_EQ(extension.bytes, hex("02 02 21 43 FF FF FF FF FF FF FF FF FF"));
    EXPECT_FALSE(isFreeExtensionRecord(extension.bytes));

    std::u16string read = decodeAdnNumber(number.field);
    EXPECT_EQ(read, u"12345678901234567890");
    appendExtensionDigits(read, extension.bytes);
    EXPECT_EQ(read, digits);
}

TEST(DiallingNumber, ExtensionRecordHoldsAtMostItsRoom) {
    const std::vector<uint8_t> bcd(12, 0x21);
    EncodedBytes extension = buildExtensionRecord(bcd, 13);
    EXPECT_TRUE(extension.didNotFit);
    EXPECT_EQ(extension.bytes[1], 10);
    EXPECT_EQ(extension.bytes.back(), 0xFF);
    EXPECT_TRUE(isFreeExtensionRecord(hex("FF FF FF")));
    EXPECT_TRUE(isFreeExtensionRecord({}));
}

TEST(DiallingNumber, JoinedNumberStopsAtSixtyCharacters) {
    std::u16string number(55, u'1');
    appendExtensionDigits(number, hex("02 0A 21 43 65 87 09 21 43 65 87 09 FF"));
    EXPECT_EQ(number, std::u16string(55, u'1') + u"12345");
}

TEST(DiallingNumber, FormattingDroppedOtherCharactersReported) {
    const DiallingNumber formatted = parseDiallingNumber(u"+44 (20) 7946-0[1]");
    EXPECT_EQ(formatted.tonNpi, kTonNpiInternational);
    EXPECT_EQ(packBcd(formatted.digits), hex("44 02 97 64 10"));
    EXPECT_FALSE(formatted.droppedCharacters);

    const DiallingNumber odd = parseDiallingNumber(u"12a3/4");
    EXPECT_EQ(packBcd(odd.digits), hex("21 43"));
    EXPECT_TRUE(odd.droppedCharacters);

    const EncodedAdnNumber stored = encodeAdnNumber(u"555 x12");
    EXPECT_TRUE(stored.didNotFit);
    EXPECT_EQ(decodeAdnNumber(stored.field), u"55512");
}

TEST(DiallingNumber, DigitCodes) {
    const DiallingNumber number = parseDiallingNumber(u"*#p0P9");
    EXPECT_EQ(packBcd(number.digits), hex("BA 0C 9C"));
    EXPECT_EQ(unpackBcd(hex("BA 0C 9C"), 60), u"*#p0p9");
    // 0xD, 0xE and 0xF end the number.
    EXPECT_EQ(unpackBcd(hex("21 3D 45"), 60), u"12");
    EXPECT_EQ(unpackBcd(hex("21 E3 45"), 60), u"123");
    EXPECT_EQ(unpackBcd(hex("21 43"), 3), u"123");
}

TEST(DiallingNumber, EmptyNumberLeavesTheFieldUnused) {
    for (std::u16string_view text : {u"", u"+", u"- ()"}) {
        const EncodedAdnNumber number = encodeAdnNumber(text);
        EXPECT_TRUE(std::all_of(number.field.begin(), number.field.end(),
                                [](uint8_t b) { return b == 0xFF; }));
        EXPECT_FALSE(number.didNotFit);
    }
}

TEST(DiallingNumber, InternationalIsTheTypeOfNumber) {
    EXPECT_TRUE(isInternational(0x91));
    EXPECT_TRUE(isInternational(0x99)); // international, private numbering plan
    EXPECT_FALSE(isInternational(0x81));
    EXPECT_FALSE(isInternational(0xA1));
    EXPECT_EQ(decodeAdnNumber(field("03 99 21 F3")), u"+123");
}

} // namespace
} // namespace brontel::codec
