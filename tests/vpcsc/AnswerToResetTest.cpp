// Protocols offered by ATRs, with ATRs built by hand from ISO/IEC 7816-3.

#include "AnswerToReset.h"

#include <gtest/gtest.h>

#include <vector>

using virtualsim::AnswerToReset;

namespace {

struct AtrCase {
    const char* name;
    std::vector<uint8_t> atr;
    bool valid;
    uint32_t offered;
    uint32_t preferred;
    bool specific;
};

constexpr uint32_t T0 = AnswerToReset::kT0, T1 = AnswerToReset::kT1;

void PrintTo(const AtrCase& c, std::ostream* out) {
    *out << c.name;
}

} // namespace

class AtrTest : public ::testing::TestWithParam<AtrCase> {};

TEST_P(AtrTest, Protocols) {
    const AtrCase& c = GetParam();
    auto parsed = AnswerToReset::parse(c.atr);
    ASSERT_EQ(parsed.has_value(), c.valid);
    if (!parsed)
        return;
    EXPECT_EQ(parsed->offeredProtocols, c.offered);
    EXPECT_EQ(parsed->defaultProtocol, c.preferred);
    EXPECT_EQ(parsed->specificMode, c.specific);
}

INSTANTIATE_TEST_SUITE_P(
    Iso7816, AtrTest,
    ::testing::Values(
        // No TD1: T=0 is implied.
        AtrCase{"HistoricalOnly", {0x3B, 0x02, 0x14, 0x50}, true, T0, T0, false},
        // TA1 = 0x11 (Fi/Di), TC1 = 0xFF, no TD1.
        AtrCase{"GlobalBytesOnly", {0x3B, 0x50, 0x11, 0xFF}, true, T0, T0, false},
        // Inverse convention TS = 3F.
        AtrCase{"InverseConvention", {0x3F, 0x00}, true, T0, T0, false},
        // TD1 = 01 (T=1) and TCK.
        AtrCase{"T1Only", {0x3B, 0x80, 0x01, 0x81}, true, T1, T1, false},
        // TD1 = 80 (T=0, TD2 follows), TD2 = 01 (T=1), TCK.
        AtrCase{"T0ThenT1", {0x3B, 0x80, 0x80, 0x01, 0x01}, true, T0 | T1, T0, false},
        // The layout of many SIMs: TA1, TD1 = 80 (T=0, TD2 follows), TD2 = 1F (T=15,
        // TA3 follows), 15 historical bytes and TCK (the XOR of T0 to the last one).
        AtrCase{"SimWithGlobalT15",
                {0x3B, 0x9F, 0x95, 0x80, 0x1F, 0xC3, 0x80, 0x31, 0xA0, 0x73, 0xBE,
                 0x21, 0x13, 0x67, 0x43, 0x20, 0x07, 0x18, 0x00, 0x00, 0x01, 0xA2},
                true,
                T0,
                T0,
                false},
        // TD1 = 10 (T=0, TA2 follows), TA2 = 01: specific mode, T=1 only.
        AtrCase{"SpecificModeT1", {0x3B, 0x80, 0x10, 0x01}, true, T1, T1, true},
        // T=1 without its TCK is still accepted, as readers do.
        AtrCase{"MissingTck", {0x3B, 0x80, 0x01}, true, T1, T1, false},
        AtrCase{"TD1Missing", {0x3B, 0x8F}, false, 0, 0, false},
        AtrCase{"HistoricalBytesMissing", {0x3B, 0x05, 0x01}, false, 0, 0, false},
        AtrCase{"TrailingBytes", {0x3B, 0x00, 0x01, 0x02}, false, 0, 0, false},
        AtrCase{"BadTs", {0x3C, 0x00}, false, 0, 0, false},
        AtrCase{"TooShort", {0x3B}, false, 0, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AtrLength, LongerThanThirtyThreeBytesIsRefused) {
    std::vector<uint8_t> atr = {0x3B, 0x0F};
    atr.resize(17, 0x00);
    EXPECT_TRUE(AnswerToReset::parse(atr));
    atr = {0x3B, 0xF0, 0x00, 0x00, 0x00, 0xF0, 0x00, 0x00, 0x00, 0xF0, 0x00, 0x00,
           0x00, 0xF0, 0x00, 0x00, 0x00, 0xF0, 0x00, 0x00, 0x00, 0xF0, 0x00, 0x00,
           0x00, 0xF0, 0x00, 0x00, 0x00, 0x70, 0x00, 0x00, 0x00, 0x00};
    EXPECT_FALSE(AnswerToReset::parse(atr));
}
