// The CHV field of the PIN commands (3GPP TS 51.011 9.2.9): the code's
// characters, FF padding, eight bytes.
#include "card/PinBlock.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>

namespace brontel {
namespace {

struct Case {
    std::string_view code;
    std::array<uint8_t, 8> block;
    friend void PrintTo(const Case& c, std::ostream* os) { *os << '"' << c.code << '"'; }
};

class PinBlocks : public ::testing::TestWithParam<Case> {};

TEST_P(PinBlocks, HoldTheCodePaddedWithFF) {
    const PinBlock block(GetParam().code);
    const auto bytes = block.bytes();
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), GetParam().block.begin()));
}

using namespace std::string_view_literals;

INSTANTIATE_TEST_SUITE_P(
    Codes, PinBlocks,
    ::testing::Values(Case{"1234", {0x31, 0x32, 0x33, 0x34, 0xFF, 0xFF, 0xFF, 0xFF}},
                      Case{"12345678", {0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38}},
                      Case{"1234567890", {0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38}},
                      Case{"", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
                      Case{"12\0"
                           "34"sv,
                           {0x31, 0x32, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}}));

} // namespace
} // namespace brontel
