#include "codec/SmsUserData.h"
#include "Hex.h"
#include "codec/SmsAddress.h"
#include "codec/SmsDataCoding.h"
#include "codec/SmsTimeStamp.h"

#include <gtest/gtest.h>

namespace brontel::codec {
namespace {

using test::hex;
using test::hexText;

// Addresses from the doctests of the MIT licensed Python package
// github.com/qotto/smspdudecoder (fields.py) and the Go package
// github.com/warthog618/sms (encoding/tpdu/address_test.go).
TEST(SmsAddress, PublishedAddresses) {
    const struct {
        const char* bytes;
        std::u16string_view text;
    } cases[] = {
        {"0B 91 51 55 21 43 65 F7", u"+15551234567"},
        {"0B D0 CD E6 DB 5D CE 03", u"MMoney"},
        {"14 D0 C4 F2 3C 7D 76 03 90 EF 76 19", u"Design@Home"},
        {"0B 91 16 04 89 56 26 F9", u"+61409865629"},
        {"0F 91 10 32 54 76 98 BA DC FE", u"+0123456789*#p"}, // nibble D ends it
        {"03 81 21 F3", u"123"},
        {"00 81", u""},
    };
    for (const auto& c : cases) {
        const std::vector<uint8_t> bytes = hex(c.bytes);
        const std::optional<SmsAddress> address = decodeSmsAddress(bytes, 60);
        ASSERT_TRUE(address) << c.bytes;
        EXPECT_EQ(address->text, c.text) << c.bytes;
        EXPECT_EQ(address->octets, bytes.size()) << c.bytes;
    }
}

TEST(SmsAddress, AnyTypeOfNumberKeepsItsDigits) {
    // National (A1) and alphanumeric with another numbering plan (D1).
    EXPECT_EQ(decodeSmsAddress(hex("04 A1 21 43"), 60)->text, u"1234");
    EXPECT_EQ(decodeSmsAddress(hex("0B D1 CD E6 DB 5D CE 03"), 60)->text, u"MMoney");
}

TEST(SmsAddress, FieldPastTheBytesDoesNotDecode) {
    EXPECT_FALSE(decodeSmsAddress(hex("0B 91 51 55 21"), 60));
    EXPECT_FALSE(decodeSmsAddress(hex("0B"), 60));
    EXPECT_FALSE(decodeSmsAddress({}, 60));
    // A long value is cut to the entry's field.
    std::vector<uint8_t> long_ = hex("FE 81");
    long_.resize(2 + 127, 0x11);
    EXPECT_EQ(decodeSmsAddress(long_, 60)->text, std::u16string(60, u'1'));
}

TEST(SmsAddress, EncodesNumbersAndAlphanumericText) {
    EncodedBytes plus = encodeSmsAddress(u"+123");
    EXPECT_EQ(hexText(plus.bytes), "03 91 21 F3");
    EXPECT_FALSE(plus.didNotFit);
    EXPECT_EQ(hexText(encodeSmsAddress(u"(0)20-79 46").bytes), "07 81 20 70 49 F6");
    EXPECT_EQ(hexText(encodeSmsAddress(u"*#1").bytes), "03 81 BA F1");
    EXPECT_EQ(hexText(encodeSmsAddress(u"").bytes), "00 81");
    EXPECT_EQ(hexText(encodeSmsAddress(u"MMoney").bytes), "0B D0 CD E6 DB 5D CE 03");
    EXPECT_EQ(hexText(encodeSmsAddress(u"Design@Home").bytes),
              "14 D0 C4 F2 3C 7D 76 03 90 EF 76 19");
}

TEST(SmsAddress, CutAndReported) {
    EncodedBytes digits = encodeSmsAddress(u"+1234567890123456789012");
    EXPECT_TRUE(digits.didNotFit);
    EXPECT_EQ(decodeSmsAddress(digits.bytes, 60)->text, u"+12345678901234567890");

    EncodedBytes words = encodeSmsAddress(u"Twelve chars");
    EXPECT_TRUE(words.didNotFit);
    EXPECT_EQ(decodeSmsAddress(words.bytes, 60)->text, u"Twelve char");

    // The extension table and letters beyond the alphabet have no place here.
    EncodedBytes euro = encodeSmsAddress(u"a\u20AC\u0416b");
    EXPECT_TRUE(euro.didNotFit);
    EXPECT_EQ(decodeSmsAddress(euro.bytes, 60)->text, u"ab");
}

TEST(SmsAddress, ServiceCentre) {
    EXPECT_EQ(decodeServiceCentreAddress(hex("91 22 99 97 67 58 F2"), 60), u"+22997976852");
    EXPECT_EQ(decodeServiceCentreAddress(hex("81 21 F3"), 60), u"123");
    EXPECT_EQ(decodeServiceCentreAddress({}, 60), u"");
}

std::optional<pelmora::SystemTime> timeStamp(std::string_view bytes) {
    std::array<uint8_t, kSmsTimeStampLength> stamp{};
    const std::vector<uint8_t> v = hex(bytes);
    std::copy_n(v.begin(), stamp.size(), stamp.begin());
    return decodeSmsTimeStamp(stamp);
}

TEST(SmsTimeStamp, SwappedDigits) {
    const std::optional<pelmora::SystemTime> t = timeStamp("30 11 22 41 35 60 00");
    ASSERT_TRUE(t);
    EXPECT_EQ(test::timeText(*t), "2003-11-22 14:53:06");
    EXPECT_EQ(t->dayOfWeek, 0);
    EXPECT_EQ(t->milliseconds, 0);
    // Any time zone is ignored; a nibble that is no digit spoils the stamp.
    EXPECT_TRUE(timeStamp("30 11 22 41 35 60 8A"));
    EXPECT_FALSE(timeStamp("30 1F 22 41 35 60 00"));
    EXPECT_FALSE(timeStamp("A0 11 22 41 35 60 00"));
}

// 3GPP TS 23.038 4: the coding groups.
TEST(SmsDataCoding, AlphabetOfEachCodingGroup) {
    const struct {
        uint8_t dcs;
        SmsAlphabet alphabet;
    } cases[] = {
        {0x00, SmsAlphabet::Gsm7},     {0x04, SmsAlphabet::EightBit},
        {0x08, SmsAlphabet::Ucs2},     {0x0C, SmsAlphabet::Gsm7},
        {0x11, SmsAlphabet::Gsm7},     {0x24, SmsAlphabet::Unreadable},
        {0x48, SmsAlphabet::Ucs2},     {0x84, SmsAlphabet::Gsm7},
        {0xC8, SmsAlphabet::Gsm7},     {0xD8, SmsAlphabet::Gsm7},
        {0xE0, SmsAlphabet::Ucs2},     {0xF0, SmsAlphabet::Gsm7},
        {0xF4, SmsAlphabet::EightBit}, {0xF6, SmsAlphabet::EightBit},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(smsAlphabet(c.dcs), c.alphabet) << int(c.dcs);
    }
}

TEST(SmsDataCoding, ChoiceForNewMessages) {
    EXPECT_EQ(chooseSmsAlphabet(u"Hello, World 1-2/3 $%&'()*+:;<=>?@ \r\n"), SmsAlphabet::Gsm7);
    EXPECT_EQ(chooseSmsAlphabet(u"\u00C4\u00E4\u00D6\u00F6\u00DC\u00FC"), SmsAlphabet::Gsm7);
    EXPECT_EQ(chooseSmsAlphabet(u"caf\u00E9"), SmsAlphabet::EightBit);
    EXPECT_EQ(chooseSmsAlphabet(u"#1"), SmsAlphabet::EightBit);
    EXPECT_EQ(chooseSmsAlphabet(u"_"), SmsAlphabet::EightBit);
    EXPECT_EQ(chooseSmsAlphabet(u"caf\u00E9 \u0416"), SmsAlphabet::Ucs2);
    EXPECT_EQ(chooseSmsAlphabet(u""), SmsAlphabet::Gsm7);
}

TEST(SmsUserData, DecodesEachAlphabet) {
    EXPECT_EQ(decodeSmsUserData(hex("C8 32 9B FD 06"), 5, false, SmsAlphabet::Gsm7, 160), u"Hello");
    EXPECT_EQ(decodeSmsUserData(hex("63 61 66 E9"), 4, false, SmsAlphabet::EightBit, 160),
              u"caf\u00E9");
    EXPECT_EQ(decodeSmsUserData(hex("04 16 00 41"), 4, false, SmsAlphabet::Ucs2, 160), u"\u0416A");
    EXPECT_EQ(decodeSmsUserData(hex("41 42"), 2, false, SmsAlphabet::Unreadable, 160), u"");
}

// Concatenated-message header: from the Go package github.com/warthog618/sms
// (encoding/tpdu/tpdu_internal_test.go), 14 septets of which the header and
// its fill bit take seven.
TEST(SmsUserData, SevenBitTextStartsAtTheSeptetAfterTheHeader) {
    const std::vector<uint8_t> ud = hex("05 00 03 01 02 03 DA E5 F9 3C 7C 2E 03");
    EXPECT_EQ(decodeSmsUserData(ud, 14, true, SmsAlphabet::Gsm7, 160), u"message");
    EXPECT_EQ(decodeSmsUserData(hex("05 00 03 01 02 03 6D 65 73 73 61 67 65"), 13, true,
                                SmsAlphabet::EightBit, 160),
              u"message");
    EXPECT_EQ(
        decodeSmsUserData(hex("05 00 03 01 02 03 00 6D 00 65"), 10, true, SmsAlphabet::Ucs2, 160),
        u"me");
    // A header longer than the data leaves no text.
    EXPECT_EQ(decodeSmsUserData(hex("09 00 03 01"), 4, true, SmsAlphabet::EightBit, 160), u"");
    EXPECT_EQ(decodeSmsUserData(hex("20 00"), 2, true, SmsAlphabet::Gsm7, 160), u"");
}

TEST(SmsUserData, LengthsClampedToTheOctetsAndTheField) {
    EXPECT_EQ(decodeSmsUserData(hex("C8 32 9B FD 06"), 255, false, SmsAlphabet::Gsm7, 160),
              u"Hello");
    EXPECT_EQ(decodeSmsUserData(hex("C8 32 9B FD 06"), 5, false, SmsAlphabet::Gsm7, 3), u"Hel");
    EXPECT_EQ(decodeSmsUserData(hex("00 41 00"), 200, false, SmsAlphabet::Ucs2, 160), u"A");
    EXPECT_EQ(decodeSmsUserData(hex("41 00 42"), 3, false, SmsAlphabet::EightBit, 160), u"A");
}

TEST(SmsUserData, TextEndingInCommercialAt) {
    const EncodedUserData ud = encodeSmsUserData(u"mail me@", 140);
    EXPECT_EQ(ud.length, 8);
    EXPECT_EQ(decodeSmsUserData(ud.octets, ud.length, false, SmsAlphabet::Gsm7, 160), u"mail me@");
    const EncodedUserData seven = encodeSmsUserData(u"abcdef@", 140);
    EXPECT_EQ(decodeSmsUserData(seven.octets, seven.length, false, SmsAlphabet::Gsm7, 160),
              u"abcdef@");
}

TEST(SmsUserData, EncodingLimitsOfEachCoding) {
    const struct {
        std::u16string text;
        size_t maxOctets;
        uint8_t dcs;
        uint8_t length;
        bool cut;
    } cases[] = {
        {std::u16string(160, u'a'), 140, 0x00, 160, false},
        {std::u16string(161, u'a'), 140, 0x00, 160, true},
        {std::u16string(140, u'\u00E9'), 140, 0x04, 140, false},
        {std::u16string(141, u'\u00E9'), 140, 0x04, 140, true},
        {std::u16string(70, u'\u0416'), 140, 0x08, 140, false},
        {std::u16string(71, u'\u0416'), 140, 0x08, 140, true},
        {std::u16string(20, u'a'), 10, 0x00, 11, true},
        {std::u16string(69, u'\u0416') + u"\U0001F600", 140, 0x08, 138, true},
    };
    for (const auto& c : cases) {
        const EncodedUserData ud = encodeSmsUserData(c.text, c.maxOctets);
        EXPECT_EQ(ud.dataCodingScheme, c.dcs);
        EXPECT_EQ(ud.length, c.length) << c.text.size();
        EXPECT_EQ(ud.didNotFit, c.cut) << c.text.size();
        EXPECT_LE(ud.octets.size(), c.maxOctets);
    }
}

} // namespace
} // namespace brontel::codec
