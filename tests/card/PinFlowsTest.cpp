#include "CardTestSupport.h"

namespace pelmora::model::test {
namespace {

class Pins : public CardOperationsFixture {
protected:
    void SetUp() override {
        CardOperationsFixture::SetUp();
        ASSERT_EQ(calls.connect(card, card.reader), 1);
    }
    PinFlows flows() { return PinFlows(calls, user); }
};

TEST_F(Pins, CardThatStopsAnsweringIsAFailure) {
    user.pins = {u"1234"};
    EXPECT_TRUE(flows().verifyChooser(card, 1, false));
    card.forgetPins();
    fakeCard().failCardInfo = true;
    user.pins = {u"1234"};
    EXPECT_FALSE(flows().verifyChooser(card, 1, false));
    EXPECT_FALSE(card.pin1().present());
    EXPECT_EQ(fakeCard().calls["verify_pin1"], 1);
}

TEST_F(Pins, NewPinMustMatchItsConfirmationBeforeAnyCardCommand) {
    card.setPin2(u"5678");
    user.changes = {{false, u"1111", u"1112"}};
    EXPECT_FALSE(flows().changeFlow(card, 2));
    EXPECT_EQ(user.notices, std::vector<PinNotice>{PinNotice::PinsDiffer});
    EXPECT_EQ(fakeCard().calls["change_pin2"], 0);
    EXPECT_EQ(fakeCard().pin2, u"5678");
}

TEST_F(Pins, DisableThatTheCardRefusesIsAFailureAndAFailedReadChangesNothing) {
    card.setPin1(u"9999"); // a PIN the card does not take
    user.changes = {{true, u"", u""}};
    EXPECT_FALSE(flows().changeFlow(card, 1));
    EXPECT_TRUE(fakeCard().pin1Enabled);
    EXPECT_EQ(user.notices, std::vector<PinNotice>{PinNotice::CardRefused});

    card.setPin1(u"1234");
    user.notices.clear();
    user.changes = {{true, u"", u""}};
    EXPECT_TRUE(flows().changeFlow(card, 1));
    EXPECT_FALSE(fakeCard().pin1Enabled);

    // The card falls silent after the forced verify: nothing is sent.
    card.setPin1(u"1234");
    fakeCard().pin1Enabled = true;
    user.changes = {{true, u"", u""}};
    fakeCard().calls.clear();
    struct SilentOnChange : ScriptedUser {
        bool askChange(int type, int attempts, bool disabled, bool failed,
                       PinChange& answer) override {
            fakeCard().failCardInfo = true;
            return ScriptedUser::askChange(type, attempts, disabled, failed, answer);
        }
    } silent;
    silent.changes = {{true, u"", u""}};
    EXPECT_FALSE(PinFlows(calls, silent).changeFlow(card, 1));
    EXPECT_EQ(fakeCard().calls["disable_pin1"], 0);
    EXPECT_TRUE(fakeCard().pin1Enabled);
    EXPECT_EQ(silent.notices, std::vector<PinNotice>{PinNotice::CardNotAnswering});
}

TEST_F(Pins, CodesNoKeypadCanTypeNeverReachTheCard) {
    for (const std::u16string bad :
         {u" 1234", u"1234 ", u"abcd", u"123", u"123456789", u"\uFF11\uFF12\uFF13\uFF14", u""}) {
        card.forgetPins();
        user.notices.clear();
        user.pins = {bad};
        EXPECT_FALSE(flows().verifyChooser(card, 1, false));
        EXPECT_EQ(user.notices, std::vector<PinNotice>{PinNotice::NotAPin});
    }
    card.setPin2(u"5678");
    user.notices.clear();
    user.changes = {{false, u"12 34", u"12 34"}};
    EXPECT_FALSE(flows().changeFlow(card, 2));
    fakeCard().pin2Attempts = 0;
    user.puks = {u"1234567", u"1111", u"87654321", u"12"};
    EXPECT_FALSE(flows().verifyChooser(card, 2, false));
    EXPECT_EQ(user.notices,
              (std::vector<PinNotice>{PinNotice::NotAPin, PinNotice::NotAPuk, PinNotice::NotAPin}));
    for (const char* command : {"verify_pin1", "change_pin2", "unblock_pin2"}) {
        EXPECT_EQ(fakeCard().calls[command], 0) << command;
    }
    user.puks = {u"87654321", u"4321"};
    EXPECT_TRUE(flows().verifyChooser(card, 2, false));
    EXPECT_EQ(fakeCard().calls["unblock_pin2"], 1);
}

TEST_F(Pins, PukWithoutAttemptsIsReported) {
    fakeCard().pin2Attempts = 0;
    fakeCard().puk2Attempts = 0;
    EXPECT_FALSE(flows().verifyChooser(card, 2, false));
    EXPECT_EQ(user.notices, std::vector<PinNotice>{PinNotice::PukBlocked});
    EXPECT_TRUE(user.asked.empty());
}

} // namespace
} // namespace pelmora::model::test
