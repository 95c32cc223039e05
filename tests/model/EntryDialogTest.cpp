#include "ModelTestSupport.h"

#include "EntryDialogOk.h"
#include "EntryDialogOpener.h"

#include <gtest/gtest.h>

using namespace pelmora::model;
using namespace pelmora::model::test;

namespace {

EntryDialogFields simple(std::u16string name, std::u16string number) {
    EntryDialogFields f;
    f.name = std::move(name);
    f.values[kValueMain] = std::move(number);
    return f;
}

} // namespace

TEST(EntryDialogOpener, SlotTitleIconAndFullBooks) {
    Category adn(kBookAdn, 3);
    fill(adn, {u"A", u"", u"C"});
    EntryDialogOpening add = openEntryDialog(adn, -1, false);
    EXPECT_EQ(add.dialog, EntryDialogKind::Simple);
    EXPECT_EQ(add.slot, 1);
    EXPECT_EQ(add.titleText, 43);
    EXPECT_TRUE(add.addIcon);
    EXPECT_EQ(openEntryDialog(adn, 2, false).titleText, 145);

    fill(adn, {u"A", u"B", u"C"});
    EXPECT_EQ(openEntryDialog(adn, -1, false).messageText, kBookFullText);
    EXPECT_EQ(adn.slotCount(), 3u);
    EXPECT_EQ(openEntryDialog(adn, -1, true).slot, 3);
    EXPECT_EQ(adn.slotCount(), 4u);

    Category iden(kBookNextel, 1);
    EXPECT_EQ(openEntryDialog(iden, 0, false).titleText, 146);
    EXPECT_EQ(openEntryDialog(iden, 0, false).dialog, EntryDialogKind::Iden);
    Category sms(kBookSms, 0);
    EXPECT_EQ(openEntryDialog(sms, -1, true).dialog, EntryDialogKind::None);
    EXPECT_EQ(sms.slotCount(), 1u);
}

TEST(EntryDialogOpener, PositionsAreTheSlotThenTheOtherEmptySlots) {
    Category adn(kBookAdn, 5);
    fill(adn, {u"A", u"", u"C", u"", u""});
    EXPECT_EQ(entryPositions(adn, 2), (std::vector<int>{2, 1, 3, 4}));
}

TEST(EntryDialogOk, UnchangedSameSlotAndMovedEntries) {
    Category adn(kBookAdn, 4);
    *adn.entry(0) = makeEntry(u"Anna", u"1");
    EXPECT_EQ(applyEntryDialog(adn, 0, 0, simple(u"Anna", u"1"), false).slot, -1);
    EXPECT_FALSE(adn.canUndo());

    EXPECT_EQ(applyEntryDialog(adn, 0, 0, simple(u"Anna", u"2"), false).slot, 0);
    EXPECT_EQ(adn.undoStack().size(), 1u);

    EXPECT_EQ(applyEntryDialog(adn, 0, 2, simple(u"Anna", u"2"), false).slot, 2);
    EXPECT_EQ(names(adn), (std::vector<std::u16string>{u"", u"", u"Anna", u""}));
    adn.undo();
    adn.undo();
    EXPECT_EQ(names(adn), (std::vector<std::u16string>{u"Anna", u"", u"", u""}));
    EXPECT_EQ(numberAt(adn, 0), u"2");

    *adn.entry(3) = makeEntry(u"Bob", u"3");
    EXPECT_EQ(applyEntryDialog(adn, 0, 3, simple(u"Anna", u"2"), false).slot, -1);
    EXPECT_EQ(nameAt(adn, 3), u"Bob");
}

TEST(EntryDialogOk, FieldLimitsSpeedDialsAndNamelessEntries) {
    Category iden(kBookNextel, 2);
    EntryDialogFields f;
    f.name = u"Dora";
    f.values[kValueTalkgroup] = u"123456";
    f.values[kValueEmail] = std::u16string(255, u'a');
    f.speedDials[kValueTalkgroup] = u"2";
    f.speedDials[kValueEmail] = u"x";
    ASSERT_EQ(applyEntryDialog(iden, 0, 0, f, false).slot, 0);
    EXPECT_EQ(entryValue(*iden.entry(0), kValueTalkgroup), u"1234");
    EXPECT_EQ(entryValue(*iden.entry(0), kValueEmail).size(), 255u);
    EXPECT_EQ(iden.entry(0)->recordNumbers[kValueTalkgroup], 2);
    EXPECT_EQ(iden.entry(0)->recordNumbers[kValueEmail], 0);

    Category adn(kBookAdn, 2);
    EXPECT_EQ(applyEntryDialog(adn, 0, 0, simple(u"", u"5"), false).refusalText, kNameNeededText);
    EXPECT_EQ(applyEntryDialog(adn, 0, 0, simple(u"", u"5"), true).slot, 0);
}
