#include "CardTestSupport.h"

#include "CardAnswerText.h"
#include "FileDocument.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace pelmora::model::test {
namespace {

using Ops = CardOperationsFixture;

std::u16string nameIn(const Category& c, int slot) {
    return std::u16string(fieldText(c.entry(slot)->name));
}

TEST_F(Ops, OpenCardConnectsVerifiesPin1AndProbesTheBooksTheCardHas) {
    user.pins = {u"1234"};
    CardDocument* const candidates[] = {&card};
    EXPECT_EQ(ops().openCard(candidates), &card);
    EXPECT_EQ(user.asked, (std::vector<std::string>{"pin1 3"}));
    ASSERT_EQ(card.categories().size(), 2u);
    EXPECT_EQ(card.categories()[0]->kind(), 0x6F3A);
    EXPECT_EQ(card.categories()[1]->kind(), 0x6F3B); // no messages, no Nextel book
    EXPECT_TRUE(card.pin1().present());
    // Still connected: the second open neither asks nor probes again.
    EXPECT_EQ(ops().openCard(candidates), &card);
    EXPECT_EQ(user.asked.size(), 1u);
}

TEST_F(Ops, OpenCardWithAWrongPinAndCancelReturnsNoneAndCloses) {
    user.pins = {u"0000"};
    CardDocument* const candidates[] = {&card};
    EXPECT_EQ(ops().openCard(candidates), nullptr);
    EXPECT_EQ(user.asked, (std::vector<std::string>{"pin1 3", "pin1 2 red"}));
    EXPECT_EQ(card.connection, nullptr);
    EXPECT_FALSE(card.pin1().present());
}

TEST_F(Ops, CancelledPin2StopsTheWriteThere) {
    fakeCard().pin1Enabled = false;
    commands().readSim(card, nullptr, progress);
    book(0x6F3B).markChanged();
    const CardReport report = commands().writeSim(card, nullptr, {}, progress);
    EXPECT_TRUE(report.stopped);
    EXPECT_FALSE(report.ok());
    EXPECT_FALSE(book(0x6F3B).unchanged());
}

TEST_F(Ops, ReconnectedSameCardKeepsItsEditsAnotherCardAsksFirst) {
    fakeCard().pin1Enabled = false;
    commands().readSim(card, nullptr, progress);
    book(0x6F3A).storeEntry(0, contact(u"Kept", u"1"));
    book(0x6F3A).markChanged();
    calls.close(card); // a reset or suspend dropped the connection
    CardDocument* const candidates[] = {&card};
    ASSERT_EQ(ops().openCard(candidates), &card);
    EXPECT_EQ(nameIn(book(0x6F3A), 0), u"Kept");

    calls.close(card);
    fakeCard().iccid = u"8931000000000000002";
    EXPECT_EQ(ops().openCard(candidates), nullptr);
    EXPECT_EQ(user.asked, (std::vector<std::string>{"discard"}));
    EXPECT_EQ(nameIn(book(0x6F3A), 0), u"Kept");
    user.allowDiscard = true;
    EXPECT_EQ(ops().openCard(candidates), &card);
    EXPECT_TRUE(book(0x6F3A).unchanged());
    EXPECT_EQ(book(0x6F3A).slotCount(), 0u);
}

TEST(CardAnswer, OnlyARemovedCardOrNoCardSaysTheCardLeftTheReader) {
    const struct {
        int32_t error;
        bool removed;
    } cases[] = {
        {-2, false},
        {static_cast<int32_t>(0x80100069), true},
        {static_cast<int32_t>(0x8010000C), true},
        {static_cast<int32_t>(0x80100016), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cardWasRemoved(c.error), c.removed) << c.error;
    }
}

} // namespace
} // namespace pelmora::model::test
