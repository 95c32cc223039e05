// TS 51.011 8.1: which files a SELECT reaches from the current directory and EF.
#include "CardFixture.h"

using namespace cardtest;

namespace {

struct SelectionCase {
    const char* name;
    std::vector<uint16_t> before; // selected in turn after the reset
    uint16_t id;
    bool reached;
};

const SelectionCase kCases[] = {
    {"child DF of the MF", {}, 0x7F10, true},
    {"child EF of the MF", {}, 0x2FE2, true},
    {"grandchild from the MF", {}, 0x6F3A, false},
    {"second-level DF from the MF", {}, 0x5F30, false},
    {"child EF of the current DF", {0x7F10}, 0x6F3A, true},
    {"sibling DF", {0x7F10}, 0x7F20, true},
    {"the MF from a DF", {0x7F10}, 0x3F00, true},
    {"the current DF itself", {0x7F10}, 0x7F10, true},
    {"EF of the parent", {0x7F10}, 0x2FE2, false},
    {"EF of a sibling DF", {0x7F10}, 0x6F07, false},
    {"sibling EF of the current EF", {0x7F20, 0x6F07}, 0x6F39, true},
    {"sibling DF of the current DF with an EF current", {0x7F20, 0x6F07}, 0x7F10, true},
    {"child of a second-level DF", {0x7F20, 0x5F30}, 0x4F20, true},
    {"parent of a second-level DF", {0x7F20, 0x5F30}, 0x7F20, true},
    {"DF beside the parent", {0x7F20, 0x5F30}, 0x7F10, false},
    {"the MF from a second-level DF", {0x7F20, 0x5F30}, 0x3F00, true},
    {"EF of the parent from a second-level EF", {0x7F20, 0x5F30, 0x4F20}, 0x6F07, false},
    {"an id the card does not have", {0x7F10}, 0x1234, false},
};

class SelectionRules : public CardTest, public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(SelectionRules, ReachesExactlyTheFilesOfTheRules) {
    const SelectionCase& c = GetParam();
    for (uint16_t id : c.before) {
        ASSERT_EQ(send(select(id)) & 0xFF00, 0x9F00) << "setting up with " << std::hex << id;
    }
    const uint16_t word = send(select(c.id));
    if (c.reached) {
        EXPECT_EQ(word & 0xFF00, 0x9F00);
    } else {
        EXPECT_EQ(word, 0x9404);
    }
}

INSTANTIATE_TEST_SUITE_P(FromEachPlace, SelectionRules, ::testing::ValuesIn(kCases),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(ch))) {
                                     ch = '_';
                                 }
                             }
                             return name;
                         });

class Selecting : public CardTest {};

TEST_F(Selecting, AFailedSelectLeavesTheSelectionAsItWas) {
    ASSERT_EQ(selectPath({0x7F10, 0x6F3A}), 0x9F0F);
    EXPECT_EQ(send(select(0x6F07)), 0x9404);
    // Still in 7F10 with ADN current: its records read.
    ASSERT_EQ(send(verify(1, "1234")), 0x9000);
    EXPECT_EQ(send(readRecord(1, 0x04, 28)), 0x9000);
    EXPECT_EQ(send(select(0x6F3B)), 0x9F0F);
}

TEST_F(Selecting, AnEfKeepsItsDirectoryCurrentAndADirectoryDropsTheEf) {
    ASSERT_EQ(selectPath({0x7F20, 0x6F07}), 0x9F0F);
    ASSERT_EQ(send(status(0x16)), 0x9000);
    EXPECT_EQ(data[4], 0x7F);
    EXPECT_EQ(data[5], 0x20);
    ASSERT_EQ(send(select(0x7F20)), 0x9F16);
    EXPECT_EQ(send(readBinary(0, 1)), 0x9400);
}

TEST_F(Selecting, ResetReturnsToTheMasterFile) {
    ASSERT_EQ(selectPath({0x7F10, 0x6F3A}), 0x9F0F);
    card->reset();
    EXPECT_EQ(send(select(0x6F3A)), 0x9404);
    EXPECT_EQ(send(select(0x2FE2)), 0x9F0F);
}

TEST_F(Selecting, RefusesMalformedSelectCommands) {
    EXPECT_EQ(send({0xA0, 0xA4, 0x01, 0x00, 0x02, 0x3F, 0x00}), 0x6B00);
    EXPECT_EQ(send({0xA0, 0xA4, 0x00, 0x00, 0x03, 0x3F, 0x00, 0x00}), 0x6702);
    EXPECT_EQ(send({0xA0, 0xA4, 0x00, 0x00, 0x02, 0x3F}), 0x6700); // P3 announces more data
}

} // namespace
