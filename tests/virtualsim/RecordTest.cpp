// TS 51.011 8.5 to 8.8: records in absolute, current, next and previous mode,
// the record pointer, cyclic files, SEEK and INCREASE.
#include "CardFixture.h"

using namespace cardtest;

namespace {

constexpr uint8_t kNext = 0x02;
constexpr uint8_t kPrevious = 0x03;
constexpr uint8_t kAbsolute = 0x04;

class Records : public CardTest {
protected:
    void SetUp() override {
        CardTest::SetUp();
        // ADN record k holds k in its first byte.
        auto& adn = *card->mf().child(0x7F10)->child(0x6F3A);
        for (size_t k = 1; k <= adn.recordCount(); ++k) {
            adn.record(k)[0] = static_cast<uint8_t>(k);
        }
        ASSERT_EQ(send(verify(1, "1234")), 0x9000);
    }
    // Reads in a mode and returns the record's first byte, or 0 and the status word.
    int readFirstByte(uint8_t record, uint8_t mode, uint8_t length = 28) {
        const uint16_t word = send(readRecord(record, mode, length));
        lastWord = word;
        return word == 0x9000 ? data.at(0) : 0;
    }
    uint16_t lastWord = 0;
};

TEST_F(Records, AbsoluteModeReadsTheNamedRecordWithoutMovingThePointer) {
    ASSERT_EQ(selectPath({0x7F10, 0x6F3A}), 0x9F0F);
    EXPECT_EQ(readFirstByte(7, kAbsolute), 7);
    EXPECT_EQ(data.size(), 28u);
    EXPECT_EQ(readFirstByte(11, kAbsolute), 0);
    EXPECT_EQ(lastWord, 0x9402);
    EXPECT_EQ(readFirstByte(0, kAbsolute), 0); // no current record yet
    EXPECT_EQ(lastWord, 0x9402);
    EXPECT_EQ(readFirstByte(0, kNext), 1);
    EXPECT_EQ(readFirstByte(5, kAbsolute), 5);
    EXPECT_EQ(readFirstByte(0, kAbsolute), 1); // current record
    EXPECT_EQ(readFirstByte(0, kNext), 2);
}

TEST_F(Records, NextAndPreviousStopAtTheEndsOfALinearFixedFile) {
    ASSERT_EQ(selectPath({0x7F10, 0x6F3A}), 0x9F0F);
    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(readFirstByte(0, kNext), k);
    }
    EXPECT_EQ(readFirstByte(0, kNext), 0);
    EXPECT_EQ(lastWord, 0x9402);
    EXPECT_EQ(readFirstByte(0, kPrevious), 9); // the pointer stayed on 10
    // A fresh selection forgets the pointer: previous starts from the last record.
    ASSERT_EQ(send(select(0x6F3A)), 0x9F0F);
    EXPECT_EQ(readFirstByte(0, kPrevious), 10);
    ASSERT_EQ(send(select(0x6F3A)), 0x9F0F);
    EXPECT_EQ(readFirstByte(0, kNext), 1);
    EXPECT_EQ(readFirstByte(0, kPrevious), 0);
    EXPECT_EQ(lastWord, 0x9402);
    EXPECT_EQ(readFirstByte(0, kAbsolute), 1);
}

TEST_F(Records, UpdateInNextAndPreviousModeMovesThePointer) {
    ASSERT_EQ(selectPath({0x7F10, 0x6F3A}), 0x9F0F);
    EXPECT_EQ(send(updateRecord(0, kNext, filled(28, 0xA1))), 0x9000);     // record 1
    EXPECT_EQ(send(updateRecord(0, kNext, filled(28, 0xA2))), 0x9000);     // record 2
    EXPECT_EQ(send(updateRecord(0, kPrevious, filled(28, 0xB1))), 0x9000); // record 1
    EXPECT_EQ(send(updateRecord(0, kPrevious, filled(28, 0xB0))), 0x9402);
    EXPECT_EQ(send(updateRecord(9, kAbsolute, filled(28, 0xC9))), 0x9000);
    EXPECT_EQ(readFirstByte(1, kAbsolute), 0xB1);
    EXPECT_EQ(readFirstByte(2, kAbsolute), 0xA2);
    EXPECT_EQ(readFirstByte(0, kAbsolute), 0xB1); // the pointer is on 1
    EXPECT_EQ(readFirstByte(9, kAbsolute), 0xC9);
}

TEST_F(Records, CyclicFileStartsAtTheNewestRecordAndWrapsAround) {
    ASSERT_EQ(selectPath({0x7F10, 0x6F44}), 0x9F0F);
    EXPECT_EQ(readFirstByte(0, kAbsolute), 1); // current = last updated = record 1
    for (int k : {2, 3, 4, 5, 1, 2}) {
        EXPECT_EQ(readFirstByte(0, kNext), k);
    }
    for (int k : {1, 5, 4}) {
        EXPECT_EQ(readFirstByte(0, kPrevious), k);
    }
}

TEST_F(Records, CyclicUpdateOverwritesTheOldestWhichBecomesRecordOne) {
    ASSERT_EQ(selectPath({0x7F10, 0x6F44}), 0x9F0F);
    ASSERT_EQ(readFirstByte(0, kNext), 2);
    EXPECT_EQ(send(updateRecord(0, kPrevious, filled(28, 0x66))), 0x9000);
    // Was 1 2 3 4 5 (5 oldest); now 66 1 2 3 4 with the pointer on the new record.
    EXPECT_EQ(readFirstByte(0, kAbsolute), 0x66);
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(readFirstByte(static_cast<uint8_t>(k + 1), kAbsolute), k);
    }
    EXPECT_EQ(send(updateRecord(0, kPrevious, filled(28, 0x77))), 0x9000);
    EXPECT_EQ(readFirstByte(1, kAbsolute), 0x77);
    EXPECT_EQ(readFirstByte(2, kAbsolute), 0x66);
    EXPECT_EQ(readFirstByte(5, kAbsolute), 3);
}

TEST_F(Records, CyclicFilesTakeUpdatesOnlyInPreviousMode) {
    ASSERT_EQ(selectPath({0x7F10, 0x6F44}), 0x9F0F);
    EXPECT_EQ(send(updateRecord(1, kAbsolute, filled(28, 0x11))), 0x6B00);
    EXPECT_EQ(send(updateRecord(0, kNext, filled(28, 0x11))), 0x6B00);
    EXPECT_EQ(readFirstByte(1, kAbsolute), 1);
}

TEST_F(Records, LengthModeAndFileKindChecks) {
    ASSERT_EQ(selectPath({0x7F10, 0x6F3A}), 0x9F0F);
    EXPECT_EQ(send(readRecord(1, kAbsolute, 27)), 0x671C);
    EXPECT_EQ(send(readRecord(1, kAbsolute, 0)), 0x671C);
    EXPECT_EQ(send(updateRecord(1, kAbsolute, filled(29, 0))), 0x671C);
    EXPECT_EQ(send(readRecord(1, 0x05, 28)), 0x6B00);
    EXPECT_EQ(send(readBinary(0, 1)), 0x9408);
    ASSERT_EQ(selectPath({0x3F00, 0x2FE2}), 0x9F0F);
    EXPECT_EQ(send(readRecord(1, kAbsolute, 10)), 0x9408);
    ASSERT_EQ(send(select(0x3F00)), 0x9F16);
    EXPECT_EQ(send(readRecord(1, kAbsolute, 28)), 0x9400);
    card->options().wrongLengthGivesLength = false;
    ASSERT_EQ(selectPath({0x7F10, 0x6F3A}), 0x9F0F);
    EXPECT_EQ(send(readRecord(1, kAbsolute, 27)), 0x6700);
}

TEST_F(Records, SeekFindsARecordByItsFirstBytes) {
    ASSERT_EQ(selectPath({0x7F10, 0x6F3A}), 0x9F0F);
    // Type 2 from the beginning: answers the record number.
    EXPECT_EQ(send({0xA0, 0xA2, 0x00, 0x10, 0x01, 0x04}), 0x9F01);
    ASSERT_EQ(send(getResponse(1)), 0x9000);
    EXPECT_EQ(data, Bytes{0x04});
    EXPECT_EQ(readFirstByte(0, kNext), 5); // the pointer moved to 4
    EXPECT_EQ(send({0xA0, 0xA2, 0x00, 0x00, 0x01, 0x44}), 0x9404);
    EXPECT_EQ(readFirstByte(0, kAbsolute), 5); // unchanged by the miss
    // Type 1 from the previous record backwards.
    EXPECT_EQ(send({0xA0, 0xA2, 0x00, 0x03, 0x01, 0x02}), 0x9000);
    EXPECT_EQ(readFirstByte(0, kAbsolute), 2);
    EXPECT_EQ(send({0xA0, 0xA2, 0x00, 0x02, 0x01, 0x02}), 0x9404); // nothing after 2
    EXPECT_EQ(send({0xA0, 0xA2, 0x00, 0x04, 0x01, 0x02}), 0x6B00);
}

TEST_F(Records, IncreaseAddsToTheNewestRecordIntoTheOldest) {
    ASSERT_EQ(selectPath({0x7F20, 0x6F39}), 0x9F0F);
    EXPECT_EQ(send({0xA0, 0x32, 0x00, 0x00, 0x03, 0x00, 0x01, 0x05}), 0x9F06);
    ASSERT_EQ(send(getResponse(6)), 0x9000);
    EXPECT_EQ(data, (Bytes{0x00, 0x01, 0x05, 0x00, 0x01, 0x05}));
    EXPECT_EQ(send({0xA0, 0x32, 0x00, 0x00, 0x03, 0x00, 0x00, 0xFF}), 0x9F06);
    ASSERT_EQ(send(readRecord(1, kAbsolute, 3)), 0x9000);
    EXPECT_EQ(data, (Bytes{0x00, 0x02, 0x04}));
    ASSERT_EQ(send(readRecord(2, kAbsolute, 3)), 0x9000);
    EXPECT_EQ(data, (Bytes{0x00, 0x01, 0x05}));
    EXPECT_EQ(send({0xA0, 0x32, 0x00, 0x00, 0x03, 0xFF, 0xFF, 0xFF}), 0x9850);
    ASSERT_EQ(send(readRecord(1, kAbsolute, 3)), 0x9000);
    EXPECT_EQ(data, (Bytes{0x00, 0x02, 0x04}));
    ASSERT_EQ(selectPath({0x7F10, 0x6F44}), 0x9F0F);
    EXPECT_EQ(send({0xA0, 0x32, 0x00, 0x00, 0x03, 0x00, 0x00, 0x01}), 0x9804); // INCREASE NEV
}

} // namespace
