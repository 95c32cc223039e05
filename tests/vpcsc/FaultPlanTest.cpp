// Fault rules: which command they pick and what they do to it.

#include "FaultPlan.h"

#include <gtest/gtest.h>

using virtualsim::Fault;
using virtualsim::FaultPlan;

namespace {

const std::vector<uint8_t> kRead = {0xA0, 0xB2, 0x01, 0x04, 0x1C};
const std::vector<uint8_t> kUpdate = {0xA0, 0xDC, 0x01, 0x04, 0x1C};

Fault statusWord(uint16_t sw) {
    Fault f;
    f.kind = Fault::Kind::StatusWord;
    f.statusWord = sw;
    return f;
}

} // namespace

TEST(FaultPlan, OccurrenceCountsOnlyMatchingCommands) {
    FaultPlan plan;
    ASSERT_TRUE(plan.add("A0DC#2=6581", nullptr));
    EXPECT_FALSE(plan.match(0, kUpdate));
    EXPECT_FALSE(plan.match(0, kRead));
    EXPECT_EQ(plan.match(0, kUpdate), statusWord(0x6581));
    EXPECT_FALSE(plan.match(0, kUpdate)); // spent
}

TEST(FaultPlan, RuleWithoutOccurrenceStrikesEveryTime) {
    FaultPlan plan;
    ASSERT_TRUE(plan.add("*=pull", nullptr));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(plan.match(0, kRead)->kind, Fault::Kind::PullCard);
}

TEST(FaultPlan, ReaderSelectorAndRuleOrder) {
    FaultPlan plan;
    ASSERT_TRUE(plan.add("A0B2@1=0x80100069; A0=9240", nullptr));
    EXPECT_EQ(plan.match(0, kRead), statusWord(0x9240));
    auto onReaderOne = plan.match(1, kRead);
    ASSERT_TRUE(onReaderOne);
    EXPECT_EQ(onReaderOne->kind, Fault::Kind::PcscError);
    EXPECT_EQ(onReaderOne->pcscError, 0x80100069u);
}

TEST(FaultPlan, ActionsAndMalformedRules) {
    struct Case {
        const char* rule;
        bool valid;
    } cases[] = {{"*=restart", true},
                 {"*=restart-invalidate", true},
                 {"a0b2=6a83", true},
                 {" A0B2 # 1 = 6A83 ", false},
                 {"A0B2#1=6A83", true},
                 {"=6A83", false},
                 {"A0B=6A83", false},
                 {"A0B2#x=6A83", false},
                 {"*=0x00000000", false},
                 {"*=0x801000161", false},
                 {"*", false},
                 {"*@-1=9000", false},
                 {"A0B2=short:4", true},
                 {"A0B2=short:", false},
                 {"A0B2=short:256", false}};
    for (const Case& c : cases) {
        FaultPlan plan;
        std::string error;
        EXPECT_EQ(plan.add(c.rule, &error), c.valid) << c.rule;
        EXPECT_EQ(error.empty(), c.valid) << c.rule;
    }
}

TEST(FaultPlan, CommandShorterThanSelectorDoesNotMatch) {
    FaultPlan plan;
    ASSERT_TRUE(plan.add("A0B2010400=9000", nullptr));
    EXPECT_FALSE(plan.match(0, std::vector<uint8_t>{0xA0, 0xB2}));
}
