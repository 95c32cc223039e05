// TS 51.011 8.9 to 8.13: CHV counters, blocking, unblocking, enabling and
// disabling CHV1, and what each does to the access conditions.
#include "CardFixture.h"

using namespace cardtest;

namespace {

class Chvs : public CardTest {
protected:
    // The four status bytes of the MF description: CHV1, UNBLOCK1, CHV2, UNBLOCK2.
    Bytes counters() {
        Bytes saved = data;
        EXPECT_EQ(send(status(0x16)), 0x9000);
        Bytes result(data.begin() + 18, data.begin() + 22);
        data = saved;
        return result;
    }
    bool chv1Disabled() {
        EXPECT_EQ(send(status(0x16)), 0x9000);
        return data[13] & 0x80;
    }
    uint16_t readAdn() {
        EXPECT_EQ(selectPath({0x3F00, 0x7F10, 0x6F3A}), 0x9F0F);
        return send(readRecord(1, 0x04, 28));
    }
};

TEST_F(Chvs, FalsePresentationsCountDownAndBlockAtZero) {
    EXPECT_EQ(send(verify(1, "1111")), 0x9804);
    EXPECT_EQ(counters()[0], 0x82);
    EXPECT_EQ(send(verify(1, "2222")), 0x9804);
    EXPECT_EQ(counters()[0], 0x81);
    EXPECT_EQ(send(verify(1, "3333")), 0x9840);
    EXPECT_EQ(counters()[0], 0x80);
    // Blocked: even the right code is refused and the counter stays at 0.
    EXPECT_EQ(send(verify(1, "1234")), 0x9840);
    EXPECT_EQ(counters()[0], 0x80);
    EXPECT_EQ(readAdn(), 0x9804);
}

TEST_F(Chvs, ACorrectPresentationResetsTheCounter) {
    EXPECT_EQ(send(verify(2, "0000")), 0x9804);
    EXPECT_EQ(send(verify(2, "0000")), 0x9804);
    EXPECT_EQ(counters()[2], 0x81);
    EXPECT_EQ(send(verify(2, "5678")), 0x9000);
    EXPECT_EQ(counters()[2], 0x83);
}

TEST_F(Chvs, CountersSurviveAResetButVerificationDoesNot) {
    ASSERT_EQ(send(verify(1, "1234")), 0x9000);
    ASSERT_EQ(send(verify(2, "9999")), 0x9804);
    EXPECT_EQ(readAdn(), 0x9000);
    card->reset();
    EXPECT_EQ(readAdn(), 0x9804);
    EXPECT_EQ(counters()[2], 0x82);
}

TEST_F(Chvs, UnblockSetsTheNewCodeResetsBothCountersAndGrantsAccess) {
    for (int i = 0; i < 3; ++i) {
        send(verify(1, "0000"));
    }
    ASSERT_EQ(counters()[0], 0x80);
    EXPECT_EQ(send(unblock(1, "11111111", "4321")), 0x9804);
    EXPECT_EQ(counters()[1], 0x89);
    EXPECT_EQ(send(unblock(1, "12345678", "4321")), 0x9000);
    EXPECT_EQ(counters(), (Bytes{0x83, 0x8A, 0x83, 0x8A}));
    EXPECT_EQ(readAdn(), 0x9000); // the unblock satisfied CHV1
    card->reset();
    EXPECT_EQ(send(verify(1, "1234")), 0x9804);
    EXPECT_EQ(send(verify(1, "4321")), 0x9000);
}

TEST_F(Chvs, UnblockWorksOnACodeThatIsNotBlocked) {
    EXPECT_EQ(send(unblock(2, "87654321", "2468")), 0x9000);
    EXPECT_EQ(send(verify(2, "2468")), 0x9000);
}

TEST_F(Chvs, TenFalseUnblockingKeysBlockTheKeyForGood) {
    for (int i = 0; i < 9; ++i) {
        ASSERT_EQ(send(unblock(2, "00000000", "1111")), 0x9804) << i;
    }
    EXPECT_EQ(send(unblock(2, "00000000", "1111")), 0x9840);
    EXPECT_EQ(counters()[3], 0x80);
    EXPECT_EQ(send(unblock(2, "87654321", "1111")), 0x9840);
    // A false unblocking key leaves CHV2 itself as it was.
    EXPECT_EQ(counters()[2], 0x83);
    EXPECT_EQ(send(verify(2, "5678")), 0x9000);
}

TEST_F(Chvs, DisableAndEnableChv1) {
    ASSERT_FALSE(chv1Disabled());
    EXPECT_EQ(send(disable("0000")), 0x9804);
    EXPECT_EQ(counters()[0], 0x82);
    EXPECT_EQ(send(disable("1234")), 0x9000);
    EXPECT_TRUE(chv1Disabled());
    EXPECT_EQ(counters()[0], 0x83);
    card->reset();
    EXPECT_EQ(readAdn(), 0x9000); // CHV1 files open while CHV1 is disabled

    EXPECT_EQ(send(enable("0000")), 0x9804);
    EXPECT_EQ(counters()[0], 0x82);
    EXPECT_EQ(send(enable("1234")), 0x9000);
    EXPECT_FALSE(chv1Disabled());
    card->reset();
    EXPECT_EQ(readAdn(), 0x9804);
}

TEST_F(Chvs, CommandsThatContradictTheChv1State) {
    EXPECT_EQ(send(enable("1234")), 0x9808); // already enabled
    ASSERT_EQ(send(disable("1234")), 0x9000);
    EXPECT_EQ(send(disable("1234")), 0x9808);
    EXPECT_EQ(send(verify(1, "1234")), 0x9808);
    EXPECT_EQ(send(change(1, "1234", "9999")), 0x9808);
    // None of these touched the counter.
    EXPECT_EQ(counters()[0], 0x83);
}

TEST_F(Chvs, UnblockEnablesADisabledChv1) {
    ASSERT_EQ(send(disable("1234")), 0x9000);
    EXPECT_EQ(send(unblock(1, "12345678", "1357")), 0x9000);
    EXPECT_FALSE(chv1Disabled());
    EXPECT_EQ(send(verify(1, "1357")), 0x9000);
}

TEST_F(Chvs, BlockedChv1RefusesDisableAndEnable) {
    for (int i = 0; i < 3; ++i) {
        send(verify(1, "0000"));
    }
    EXPECT_EQ(send(disable("1234")), 0x9840);
    EXPECT_EQ(send(enable("1234")), 0x9808); // enabled wins over blocked
}

TEST_F(Chvs, ChangeNeedsTheOldCodeAndCountsFalseOnes) {
    EXPECT_EQ(send(change(2, "0000", "1111")), 0x9804);
    EXPECT_EQ(counters()[2], 0x82);
    EXPECT_EQ(send(change(2, "5678", "1111")), 0x9000);
    EXPECT_EQ(counters()[2], 0x83);
    card->reset();
    EXPECT_EQ(send(verify(2, "5678")), 0x9804);
    EXPECT_EQ(send(verify(2, "1111")), 0x9000);
}

TEST_F(Chvs, VerifiedChv2OpensChv2Updates) {
    ASSERT_EQ(send(verify(1, "1234")), 0x9000);
    ASSERT_EQ(selectPath({0x7F10, 0x6F3B}), 0x9F0F);
    EXPECT_EQ(send(updateRecord(1, 0x04, filled(28, 0x11))), 0x9804);
    ASSERT_EQ(send(verify(2, "5678")), 0x9000);
    EXPECT_EQ(send(updateRecord(1, 0x04, filled(28, 0x11))), 0x9000);
    // The CHV commands do not disturb the current EF.
    EXPECT_EQ(send(readRecord(1, 0x04, 28)), 0x9000);
    EXPECT_EQ(data, filled(28, 0x11));
}

TEST_F(Chvs, ParameterChecks) {
    EXPECT_EQ(send({0xA0, 0x20, 0x00, 0x03, 0x08, 1, 2, 3, 4, 5, 6, 7, 8}), 0x6B00);
    EXPECT_EQ(send({0xA0, 0x20, 0x01, 0x01, 0x08, 1, 2, 3, 4, 5, 6, 7, 8}), 0x6B00);
    EXPECT_EQ(send({0xA0, 0x20, 0x00, 0x01, 0x04, 0x31, 0x32, 0x33, 0x34}), 0x6708);
    EXPECT_EQ(send({0xA0, 0x26, 0x00, 0x02, 0x08, 1, 2, 3, 4, 5, 6, 7, 8}), 0x6B00);
    Bytes wrongP2 = unblock(1, "12345678", "1234");
    wrongP2[3] = 0x01;
    EXPECT_EQ(send(wrongP2), 0x6B00);
    EXPECT_EQ(counters(), (Bytes{0x83, 0x8A, 0x83, 0x8A}));
}

} // namespace
