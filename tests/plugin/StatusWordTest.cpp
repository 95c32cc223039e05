// The judgement of every status word group of 3GPP TS 51.011 9.4, including
// the boundaries between a group's rows.
#include "card/StatusWord.h"
#include "card/SIMCard.h"

#include <gtest/gtest.h>

namespace brontel {
namespace {

struct Row {
    uint8_t sw1;
    uint8_t sw2;
    bool success;
    int32_t simError;
    friend void PrintTo(const Row& r, std::ostream* os) {
        char word[5];
        std::snprintf(word, sizeof word, "%02X%02X", r.sw1, r.sw2);
        *os << word;
    }
};

class StatusWordTable : public ::testing::TestWithParam<Row> {};

TEST_P(StatusWordTable, JudgesTheWordAndSetsTheCode) {
    const Row row = GetParam();
    EXPECT_EQ(judge({row.sw1, row.sw2}), (StatusWordVerdict{row.success, row.simError}));

    SIMCard card;
    EXPECT_EQ(card.check_sw(row.sw1, row.sw2), row.success ? 1 : 0);
    EXPECT_EQ(card.sim_error(), row.simError);
}

std::string rowName(const ::testing::TestParamInfo<Row>& info) {
    char name[8];
    std::snprintf(name, sizeof name, "SW%02X%02X", info.param.sw1, info.param.sw2);
    return name;
}

INSTANTIATE_TEST_SUITE_P(
    EveryRow, StatusWordTable,
    ::testing::Values(
        Row{0x90, 0x00, true, 0}, Row{0x90, 0x01, false, 0}, Row{0x90, 0xFF, false, 0},
        Row{0x9E, 0x00, true, 0}, Row{0x9E, 0x12, false, 0}, Row{0x91, 0x00, true, 0},
        Row{0x91, 0x1A, true, 0}, Row{0x9F, 0x0F, true, 0}, Row{0x9F, 0xFF, true, 0},
        Row{0x92, 0x40, false, -2}, Row{0x92, 0x00, false, -3}, Row{0x92, 0x0F, false, -3},
        Row{0x92, 0x10, true, 0}, Row{0x92, 0x41, true, 0}, Row{0x93, 0x00, false, 0},
        Row{0x93, 0x01, true, 0}, Row{0x94, 0x00, false, -4}, Row{0x94, 0x02, false, -5},
        Row{0x94, 0x04, false, -6}, Row{0x94, 0x08, false, -7}, Row{0x94, 0x01, true, 0},
        Row{0x94, 0x03, true, 0}, Row{0x98, 0x02, false, -8}, Row{0x98, 0x04, false, -9},
        Row{0x98, 0x08, false, -10}, Row{0x98, 0x10, false, -11}, Row{0x98, 0x40, false, -12},
        Row{0x98, 0x50, false, -13}, Row{0x98, 0x00, true, 0}, Row{0x98, 0x41, true, 0},
        Row{0x67, 0x00, false, -14}, Row{0x67, 0x1C, false, -14}, Row{0x6B, 0x00, false, -15},
        Row{0x6D, 0x00, false, -16}, Row{0x6E, 0x00, false, -17}, Row{0x6F, 0x00, false, -18},
        Row{0x6F, 0xFF, false, -18}, Row{0x61, 0x10, false, 0}, Row{0x6C, 0x1C, false, 0},
        Row{0x00, 0x00, false, 0}, Row{0x63, 0xC1, false, 0}, Row{0x6A, 0x82, false, -6},
        Row{0x6A, 0x83, false, 0}),
    rowName);

// A UICC's words, told with the codes of the GSM words they correspond to.
TEST(StatusWordTable, UiccWords) {
    const Row rows[] = {
        {0x90, 0x00, true, 0},    {0x61, 0x2E, true, 0},   {0x62, 0x83, true, 0},
        {0x63, 0xC2, false, -9},  {0x69, 0x82, false, -9}, {0x69, 0x83, false, -12},
        {0x69, 0x85, false, -10}, {0x69, 0x86, false, -4}, {0x69, 0x81, false, -7},
        {0x6A, 0x82, false, -6},  {0x6A, 0x83, false, -5}, {0x6A, 0x88, false, -8},
        {0x6C, 0x1C, false, -14}, {0x65, 0x81, false, -2}, {0x6E, 0x00, false, -17},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(judge_uicc({row.sw1, row.sw2}), (StatusWordVerdict{row.success, row.simError}))
            << std::hex << int(row.sw1) << int(row.sw2);
    }
}

TEST(StatusWordTable, ClearsAnEarlierCode) {
    SIMCard card;
    card.check_sw(0x98, 0x04);
    ASSERT_EQ(card.sim_error(), -9);
    card.check_sw(0x61, 0x10);
    EXPECT_EQ(card.sim_error(), 0);
}

} // namespace
} // namespace brontel
