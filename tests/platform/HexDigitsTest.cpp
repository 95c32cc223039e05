#include "HexDigits.h"

#include <gtest/gtest.h>

namespace pelmora::platform {
namespace {

TEST(HexDigits, DigitValuesOfEitherCaseAndNothingElse) {
    const std::u16string_view text = u"09AFaf/:@G`g\u0660";
    const int expected[] = {0, 9, 10, 15, 10, 15, -1, -1, -1, -1, -1, -1, -1};
    for (size_t i = 0; i < text.size(); ++i) {
        EXPECT_EQ(hexDigitValue(text[i]), expected[i]) << i;
    }
}

TEST(HexDigits, NumbersArePaddedAndCased) {
    EXPECT_EQ(hexNumber<char16_t>(0x6F3A, 4), u"6F3A");
    EXPECT_EQ(hexNumber<char16_t>(0x3A, 4), u"003A");
    EXPECT_EQ(hexNumber(0xBEEF, 1, HexCase::Lower), "beef");
    EXPECT_EQ(hexNumber(0), "0");
    EXPECT_EQ(hexNumber(0x80100069u, 8), "80100069");
}

TEST(HexDigits, BytesRoundTripAndBadTextIsRefused) {
    const uint8_t bytes[] = {0x3B, 0x00, 0xFF};
    EXPECT_EQ(hexBytes(bytes), "3B00FF");
    EXPECT_EQ(hexBytes(bytes, ' '), "3B 00 FF");
    EXPECT_EQ(parseHexPairs(std::string_view("3b00fF")), (std::vector<uint8_t>{0x3B, 0x00, 0xFF}));
    for (std::string_view bad : {"3B0", "3G", "3B 00", "\xC3\xA4"}) {
        EXPECT_FALSE(parseHexPairs(bad)) << bad;
    }
}

} // namespace
} // namespace pelmora::platform
