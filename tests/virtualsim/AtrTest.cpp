// ISO/IEC 7816-3: which ATRs a card profile may carry.
#include "card/Atr.h"

#include <gtest/gtest.h>

using virtualsim::Atr;

namespace {

struct AtrCase {
    std::vector<uint8_t> atr;
    bool usable;
};

class Atrs : public ::testing::TestWithParam<AtrCase> {};

TEST_P(Atrs, AreUsableOnlyWhenWellFormedAndOfferingT0) {
    const auto problem = Atr::problem(GetParam().atr);
    EXPECT_EQ(!problem.has_value(), GetParam().usable) << (problem ? *problem : "usable");
}

INSTANTIATE_TEST_SUITE_P(
    Examples, Atrs,
    ::testing::Values(AtrCase{Atr::standard(), true},
                      AtrCase{{0x3B, 0x00}, true},                   // nothing but T=0 implied
                      AtrCase{{0x3B, 0x02, 0x14, 0x50}, true},       // two historical bytes
                      AtrCase{{0x3B, 0x80, 0x00}, true},             // TD1 names T=0
                      AtrCase{{0x3B, 0x80, 0x80, 0x01, 0x01}, true}, // T=0 and T=1, TCK 80^80^01^01
                      AtrCase{{0x3B, 0x80, 0x80, 0x01, 0x02}, false}, // wrong TCK
                      AtrCase{{0x3B, 0x80, 0x01, 0x81}, false},       // T=1 only
                      AtrCase{{0x3B, 0x02, 0x14}, false},             // a historical byte missing
                      AtrCase{{0x3B, 0x02, 0x14, 0x50, 0x00}, false}, // one byte too many
                      AtrCase{{0x3A, 0x00}, false},                   // bad TS
                      AtrCase{{0x3B}, false},
                      AtrCase{{0x3B, 0x90, 0x11, 0x00}, true},          // TA1 and TD1 with T=0
                      AtrCase{{0x3B, 0x90, 0x11, 0x10, 0x01}, false})); // TA2: specific mode T=1

TEST(Atr, ProtocolsDefaultToT0) {
    EXPECT_EQ(Atr::protocols(std::vector<uint8_t>{0x3B, 0x00}), std::vector<int>{0});
    EXPECT_EQ(Atr::protocols(std::vector<uint8_t>{0x3B, 0x80, 0x80, 0x01, 0x01}),
              (std::vector<int>{0, 1}));
}

} // namespace
