// One generic check over vectors of every codec: decode the bytes, compare with
// the expected text, encode the text again and get the very same bytes; then the
// same with the field or record four bytes longer, padded with 0xFF.
#include "Hex.h"
#include "codec/AlphaIdentifier.h"
#include "codec/DiallingNumber.h"
#include "codec/SmsRecordDecoder.h"
#include "codec/SmsSubmitEncoder.h"

#include <gtest/gtest.h>

namespace brontel::codec {
namespace {

using test::hex;
using test::hexText;
using test::padded;

enum class Kind { Alpha, Number, SmsSubmit };

struct Vector {
    Kind kind;
    const char* source;
    const char* bytes;
    std::u16string_view text;
    std::u16string_view address = {}; // SMS only
};

const Vector kVectors[] = {
    {Kind::Alpha, "AOSP AdnRecordTest", "56 6F 69 63 65 20 4D 61 69 6C", u"Voice Mail"},
    {Kind::Alpha, "TS 51.011 Annex B example 2", "81 03 13 53 95 A6", u"S\u0995\u09A6"},
    {Kind::Alpha, "xionghuilin.com Thai", "81 03 1C 9C B5 C6", u"\u0E1C\u0E35\u0E46"},
    {Kind::Alpha, "four Cyrillic letters", "81 04 08 98 B2 B0 BD", u"\u0418\u0432\u0430\u043D"},
    {Kind::Alpha, "commercial at", "41 00 42", u"A@B"},
    {Kind::Alpha, "escape table", "1B 3C 54 1B 3E", u"[T]"},
    {Kind::Alpha, "window scheme", "82 02 03 A9 80 ED", u"\u03A9\u0416"},
    {Kind::Alpha, "UCS2 with FF bytes", "80 4E FF FF 0C 00 FF", u"\u4EFF\uFF0C\u00FF"},
    {Kind::Number, "AOSP AdnRecordTest", "07 91 81 50 36 77 42 F3 FF FF FF FF FF FF",
     u"+18056377243"},
    {Kind::Number, "+44123", "04 91 44 21 F3 FF FF FF FF FF FF FF FF FF", u"+44123"},
    {Kind::Number, "twenty digits", "0B 81 21 43 65 87 09 21 43 65 87 09 FF FF",
     u"12345678901234567890"},
    {Kind::Number, "digit codes", "04 81 BA 0C F9 FF FF FF FF FF FF FF FF FF", u"*#p09"},
    {Kind::SmsSubmit, "Hello to +123", "07 00 01 00 03 91 21 F3 00 00 05 C8 32 9B FD 06", u"Hello",
     u"+123"},
    {Kind::SmsSubmit, "8-bit", "07 00 01 00 02 81 21 00 04 02 E9 21", u"\u00E9!", u"12"},
    {Kind::SmsSubmit, "UCS2", "07 00 01 00 00 81 00 08 04 04 16 00 41", u"\u0416A", u""},
    {Kind::SmsSubmit, "alphanumeric destination",
     "07 00 01 00 0B D0 CD E6 DB 5D CE 03 00 00 02 C8 34", u"Hi", u"MMoney"},
};

void checkVector(const Vector& v, size_t extra) {
    const std::vector<uint8_t> bytes = padded(hex(v.bytes), hex(v.bytes).size() + extra);
    switch (v.kind) {
    case Kind::Alpha: {
        EXPECT_EQ(decodeAlphaIdentifier(bytes), v.text);
        EncodedBytes again = encodeAlphaIdentifier(v.text, bytes.size());
        EXPECT_EQ(hexText(again.bytes), hexText(bytes));
        EXPECT_FALSE(again.didNotFit);
        break;
    }
    case Kind::Number: {
        if (extra != 0) {
            return; // the number part has a fixed length
        }
        std::array<uint8_t, kAdnNumberLength> field{};
        std::copy(bytes.begin(), bytes.end(), field.begin());
        EXPECT_EQ(decodeAdnNumber(field), v.text);
        EncodedAdnNumber again = encodeAdnNumber(v.text);
        EXPECT_EQ(hexText({again.field.begin(), again.field.end()}), hexText(bytes));
        EXPECT_TRUE(again.extensionBcd.empty());
        break;
    }
    case Kind::SmsSubmit: {
        const std::optional<SmsRecord> read = decodeSmsRecord(bytes);
        ASSERT_TRUE(read);
        EXPECT_EQ(read->text, v.text);
        EXPECT_EQ(read->address, v.address);
        EncodedBytes again = encodeSmsSubmitRecord(v.text, v.address, bytes.size());
        EXPECT_EQ(hexText(again.bytes), hexText(bytes));
        EXPECT_FALSE(again.didNotFit);
        break;
    }
    }
}

TEST(CodecVectors, DecodeCompareAndEncodeToTheSameBytes) {
    for (const Vector& v : kVectors) {
        SCOPED_TRACE(v.source);
        checkVector(v, 0);
        SCOPED_TRACE("padded with FF");
        checkVector(v, 4);
    }
}

} // namespace
} // namespace brontel::codec
