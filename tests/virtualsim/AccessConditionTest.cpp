// TS 51.011 9.3: every access condition level, checked on READ and UPDATE in
// each security state, and the invalidation status of EFs.
#include "CardFixture.h"

using namespace cardtest;
using namespace virtualsim;

namespace {

enum class Session { Nothing, Chv1Verified, Chv2Verified, Chv1Disabled };

struct AccessCase {
    uint8_t condition;
    Session session;
    bool granted;
};

const AccessCase kCases[] = {
    {access::kAlways, Session::Nothing, true},      {access::kChv1, Session::Nothing, false},
    {access::kChv1, Session::Chv1Verified, true},   {access::kChv1, Session::Chv2Verified, false},
    {access::kChv1, Session::Chv1Disabled, true},   {access::kChv2, Session::Nothing, false},
    {access::kChv2, Session::Chv1Verified, false},  {access::kChv2, Session::Chv2Verified, true},
    {access::kChv2, Session::Chv1Disabled, false},  {0x3, Session::Chv2Verified, false}, // RFU
    {access::kAdm, Session::Chv2Verified, false},   {0xE, Session::Chv1Disabled, false},
    {access::kNever, Session::Chv2Verified, false},
};

class AccessConditions_ : public CardTest, public ::testing::WithParamInterface<AccessCase> {
protected:
    void SetUp() override {
        CardTest::SetUp();
        const AccessCase& c = GetParam();
        // 7F10/6F01 linear fixed and 7F10/6F02 transparent, both guarded by the condition.
        virtualsim::AccessConditions ac;
        ac.read = c.condition;
        ac.update = c.condition;
        CardFile& telecom = *card->mf().child(0x7F10);
        telecom.addChild(CardFile::makeRecordFile(0x6F01, EfStructure::LinearFixed, 4, 2))
            ->setAccess(ac);
        telecom.addChild(CardFile::makeTransparent(0x6F02, 4))->setAccess(ac);
        switch (c.session) {
        case Session::Nothing:
            break;
        case Session::Chv1Verified:
            ASSERT_EQ(send(verify(1, "1234")), 0x9000);
            break;
        case Session::Chv2Verified:
            ASSERT_EQ(send(verify(2, "5678")), 0x9000);
            break;
        case Session::Chv1Disabled:
            ASSERT_EQ(send(disable("1234")), 0x9000);
            card->reset();
            break;
        }
    }
};

TEST_P(AccessConditions_, GuardReadAndUpdateOfRecordsAndBinaries) {
    const uint16_t expected = GetParam().granted ? 0x9000 : 0x9804;
    ASSERT_EQ(selectPath({0x7F10, 0x6F01}), 0x9F0F);
    EXPECT_EQ(send(readRecord(1, 0x04, 4)), expected);
    EXPECT_EQ(send(updateRecord(1, 0x04, filled(4, 0x00))), expected);
    ASSERT_EQ(send(select(0x6F02)), 0x9F0F);
    EXPECT_EQ(send(readBinary(0, 4)), expected);
    EXPECT_EQ(send(updateBinary(0, filled(4, 0x00))), expected);
    // A refused update changed nothing.
    if (!GetParam().granted) {
        EXPECT_EQ(card->mf().child(0x7F10)->child(0x6F02)->body()[0], 0xFF);
    }
}

INSTANTIATE_TEST_SUITE_P(EachLevel, AccessConditions_, ::testing::ValuesIn(kCases));

class Invalidation : public CardTest {};

TEST_F(Invalidation, AnInvalidatedEfRefusesReadAndUpdate) {
    ASSERT_EQ(selectPath({0x7F20, 0x6F45}), 0x9F0F);
    EXPECT_EQ(send(readBinary(0, 4)), 0x9810);
    EXPECT_EQ(send(updateBinary(0, filled(4, 0))), 0x9810);
    EXPECT_EQ(send({0xA0, 0x04, 0x00, 0x00, 0x00}), 0x9810); // INVALIDATE again
    EXPECT_EQ(send({0xA0, 0x44, 0x00, 0x00, 0x00}), 0x9000); // REHABILITATE
    EXPECT_EQ(send(readBinary(0, 4)), 0x9000);
    EXPECT_EQ(send({0xA0, 0x04, 0x00, 0x00, 0x00}), 0x9000);
    EXPECT_EQ(send(readBinary(0, 4)), 0x9810);
}

TEST_F(Invalidation, ReadableWhenInvalidatedStaysReadableAndUpdatable) {
    ASSERT_EQ(selectPath({0x7F20, 0x6F74}), 0x9F0F);
    EXPECT_EQ(send(updateBinary(0, {1, 2, 3, 4})), 0x9000);
    EXPECT_EQ(send(readBinary(0, 4)), 0x9000);
    EXPECT_EQ(data, (Bytes{1, 2, 3, 4}));
}

TEST_F(Invalidation, InvalidateAndRehabilitateHaveTheirOwnConditions) {
    ASSERT_EQ(send(verify(1, "1234")), 0x9000);
    ASSERT_EQ(selectPath({0x7F10, 0x6F3A}), 0x9F0F);
    EXPECT_EQ(send({0xA0, 0x04, 0x00, 0x00, 0x00}), 0x9804); // INVALIDATE is ADM here
    EXPECT_EQ(send({0xA0, 0x44, 0x00, 0x00, 0x00}), 0x9804);
    EXPECT_EQ(send(readRecord(1, 0x04, 28)), 0x9000);
    ASSERT_EQ(send(select(0x7F10)), 0x9F16);
    EXPECT_EQ(send({0xA0, 0x04, 0x00, 0x00, 0x00}), 0x9400);
}

} // namespace
