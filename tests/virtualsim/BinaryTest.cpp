// TS 51.011 8.3, 8.4: READ and UPDATE BINARY within the bounds of a transparent EF.
#include "CardFixture.h"

using namespace cardtest;

namespace {

class Binaries : public CardTest {};

TEST_F(Binaries, ReadsAnyRangeInsideTheFile) {
    ASSERT_EQ(selectPath({0x2FE2}), 0x9F0F);
    ASSERT_EQ(send(readBinary(0, 10)), 0x9000);
    EXPECT_EQ(data, (Bytes{0x98, 0x10, 0x32, 0x54, 0x76, 0x98, 0x10, 0x32, 0x54, 0xF6}));
    ASSERT_EQ(send(readBinary(8, 2)), 0x9000);
    EXPECT_EQ(data, (Bytes{0x54, 0xF6}));
}

TEST_F(Binaries, BoundsOfTheFile) {
    ASSERT_EQ(selectPath({0x2FE2}), 0x9F0F);
    EXPECT_EQ(send(readBinary(10, 1)), 0x9402);     // offset past the end
    EXPECT_EQ(send(readBinary(0x0100, 1)), 0x9402); // P1 is the high byte
    EXPECT_EQ(send(readBinary(8, 3)), 0x6702);      // runs past the end: 2 bytes are left
    EXPECT_EQ(send(readBinary(0, 0)), 0x670A);      // P3 = 00 asks for 256
    EXPECT_TRUE(data.empty());
}

TEST_F(Binaries, UpdateWritesInPlaceWithinBounds) {
    ASSERT_EQ(selectPath({0x7F20, 0x5F30, 0x4F20}), 0x9F0F);
    EXPECT_EQ(send(updateBinary(1, {0x42})), 0x9000);
    ASSERT_EQ(send(readBinary(0, 2)), 0x9000);
    EXPECT_EQ(data, (Bytes{0xFF, 0x42}));
    EXPECT_EQ(send(updateBinary(1, {0x01, 0x02})), 0x6701);
    EXPECT_EQ(send(updateBinary(2, {0x01})), 0x9402);
    ASSERT_EQ(send(readBinary(0, 2)), 0x9000);
    EXPECT_EQ(data, (Bytes{0xFF, 0x42}));
}

TEST_F(Binaries, UpdateNeedsItsOwnConditionNotTheReadOne) {
    ASSERT_EQ(send(verify(1, "1234")), 0x9000);
    ASSERT_EQ(selectPath({0x7F20, 0x6F07}), 0x9F0F);
    EXPECT_EQ(send(readBinary(0, 9)), 0x9000);
    EXPECT_EQ(send(updateBinary(0, filled(9, 0))), 0x9804); // ADM
    ASSERT_EQ(selectPath({0x3F00, 0x2FE2}), 0x9F0F);
    EXPECT_EQ(send(updateBinary(0, filled(10, 0))), 0x9804); // NEV
}

TEST_F(Binaries, WornMemoryReportsRetriesOrRefusesTheUpdate) {
    auto& ef = *card->mf().child(0x7F20)->child(0x5F30)->child(0x4F20);
    ASSERT_EQ(selectPath({0x7F20, 0x5F30, 0x4F20}), 0x9F0F);
    ef.setUpdateRetries(2);
    EXPECT_EQ(send(updateBinary(0, {0x01, 0x02})), 0x9202);
    EXPECT_EQ(ef.body()[0], 0x01);
    ef.setMemoryProblem(true);
    EXPECT_EQ(send(updateBinary(0, {0x03, 0x04})), 0x9240);
    EXPECT_EQ(ef.body()[0], 0x01);
}

} // namespace
