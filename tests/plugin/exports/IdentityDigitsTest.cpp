#include "info/IdentityDigits.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

namespace brontel {
namespace {

struct DigitCase {
    const char* name;
    bool imsi;
    std::vector<uint8_t> file;
    std::u16string digits;
};

void PrintTo(const DigitCase& c, std::ostream* os) {
    *os << c.name;
}

class IdentityDigitsCase : public ::testing::TestWithParam<DigitCase> {};

TEST_P(IdentityDigitsCase, Decodes) {
    const DigitCase& c = GetParam();
    std::array<char16_t, 32> field{};
    field.fill(u'?');
    (c.imsi ? decodeImsi : decodeIccid)(c.file, field);
    EXPECT_EQ(std::u16string(field.data()), c.digits);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IdentityDigitsCase,
    ::testing::Values(
        DigitCase{"IccidSkipsTheFiller",
                  false,
                  {0x98, 0x10, 0x32, 0x54, 0x76, 0x98, 0x10, 0x32, 0x54, 0xF6},
                  u"8901234567890123456"},
        DigitCase{"IccidFillerInsideIsSkippedToo", false, {0xF1, 0x2F}, u"12"},
        DigitCase{"IccidHexNibblesAsLetters", false, {0xBA}, u"AB"},
        DigitCase{"IccidEmpty", false, {}, u""},
        DigitCase{"ImsiSkipsParity",
                  true,
                  {0x08, 0x29, 0x26, 0x10, 0x21, 0x43, 0x65, 0x87, 0x09},
                  u"262011234567890"},
        DigitCase{"ImsiLengthBeyondTheFile", true, {0x20, 0x29, 0x26, 0x10}, u"26201"},
        DigitCase{"ImsiLengthShorterThanTheFile", true, {0x02, 0x29, 0x26, 0x10}, u"262"},
        DigitCase{"ImsiLengthZero", true, {0x00, 0x29, 0x26}, u"2"},
        DigitCase{"ImsiOneByte", true, {0x08}, u""}),
    [](const auto& info) { return std::string(info.param.name); });

// An identity file longer than its field: 31 digits and the terminator, and
// nothing written past the field.
TEST(IdentityDigits, LongFilesStopAtTheField) {
    std::vector<uint8_t> file(100, 0x21);
    for (const bool imsi : {false, true}) {
        std::array<char16_t, 40> memory{};
        memory.fill(u'#');
        const std::span<char16_t> field(memory.data(), 32);
        (imsi ? decodeImsi : decodeIccid)(file, field);
        const std::u16string digits(memory.data());
        EXPECT_EQ(digits.size(), 31u);
        EXPECT_EQ(digits.substr(0, 4), imsi ? u"2121" : u"1212");
        for (size_t i = 32; i < memory.size(); ++i) {
            EXPECT_EQ(memory[i], u'#') << i;
        }
    }
}

} // namespace
} // namespace brontel
