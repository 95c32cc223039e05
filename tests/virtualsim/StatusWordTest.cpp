// The command frame: class, instruction, parameter and length checks that come
// before any file or security logic, and a situation for each status word.
#include "CardFixture.h"

using namespace cardtest;

namespace {

struct FrameCase {
    const char* name;
    Bytes command;
    uint16_t expected;
};

const FrameCase kFrames[] = {
    {"class other than A0", {0x00, 0xA4, 0x00, 0x00, 0x02, 0x3F, 0x00}, 0x6E00},
    {"unknown instruction", {0xA0, 0x99, 0x00, 0x00, 0x00}, 0x6D00},
    {"toolkit fetch on a card without toolkit", {0xA0, 0x12, 0x00, 0x00, 0x10}, 0x6D00},
    {"too short to be a command", {0xA0, 0xF2, 0x00}, 0x6700},
    {"header without P3", {0xA0, 0xFA, 0x00, 0x00}, 0x9000},
    {"data with an outgoing command", {0xA0, 0xF2, 0x00, 0x00, 0x16, 0x00}, 0x6700},
    {"STATUS with P1", {0xA0, 0xF2, 0x01, 0x00, 0x16}, 0x6B00},
    {"GET RESPONSE with nothing waiting", {0xA0, 0xC0, 0x00, 0x00, 0x0F}, 0x6F00},
    {"INVALIDATE with data", {0xA0, 0x04, 0x00, 0x00, 0x01, 0x00}, 0x6700},
    {"READ BINARY with no EF selected", {0xA0, 0xB0, 0x00, 0x00, 0x01}, 0x9400},
    {"SLEEP", {0xA0, 0xFA, 0x00, 0x00, 0x00}, 0x9000},
    {"TERMINAL PROFILE", {0xA0, 0x10, 0x00, 0x00, 0x02, 0xFF, 0xFF}, 0x9000},
};

class CommandFrames : public CardTest, public ::testing::WithParamInterface<FrameCase> {};

TEST_P(CommandFrames, AreJudgedBeforeAnythingElse) {
    EXPECT_EQ(send(GetParam().command), GetParam().expected);
    EXPECT_TRUE(data.empty());
}

INSTANTIATE_TEST_SUITE_P(Frames, CommandFrames, ::testing::ValuesIn(kFrames), [](const auto& info) {
    std::string name = info.param.name;
    for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) {
            ch = '_';
        }
    }
    return name;
});

class StatusWords : public CardTest {};

TEST_F(StatusWords, WrongClassDropsAWaitingResponse) {
    ASSERT_EQ(send(select(0x2FE2)), 0x9F0F);
    EXPECT_EQ(send({0x00, 0xC0, 0x00, 0x00, 0x0F}), 0x6E00);
    EXPECT_EQ(send(getResponse(0x0F)), 0x6F00);
}

TEST_F(StatusWords, ResponsesEndWithTheStatusWord) {
    const Bytes response = card->transmit(select(0x3F00));
    EXPECT_EQ(response, (Bytes{0x9F, 0x16}));
    const Bytes description = card->transmit(getResponse(0x16));
    ASSERT_EQ(description.size(), 0x18u);
    EXPECT_EQ(description[0x16], 0x90);
    EXPECT_EQ(description[0x17], 0x00);
}

} // namespace
