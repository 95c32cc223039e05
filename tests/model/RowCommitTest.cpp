#include "ModelTestSupport.h"

#include "AdditionalValues.h"
#include "RowCommit.h"

#include <gtest/gtest.h>

using namespace pelmora::model;
using namespace pelmora::model::test;

TEST(CommitRow, UnchangedRowMakesNoUndoStepAndKeepsOtherFields) {
    Category adn(kBookAdn, 4);
    PhoneBookEntry stored = makeEntry(u"Anna", u"123");
    stored.recordNumbers[0] = 7;
    *adn.entry(0) = stored;
    EXPECT_EQ(commitEntryRow(adn, 0, u"Anna", u"123", false).stored, false);
    EXPECT_FALSE(adn.canUndo());

    const RowCommit c = commitEntryRow(adn, 0, u"Anne", u"123", false);
    EXPECT_TRUE(c.stored);
    EXPECT_EQ(c.slot, 0);
    EXPECT_EQ(adn.entry(0)->recordNumbers[0], 7);
    EXPECT_FALSE(adn.unchanged());
    adn.undo();
    EXPECT_EQ(nameAt(adn, 0), u"Anna");
}

TEST(CommitRow, WithoutHolesARowPastTheFirstFreeSlotGoesThere) {
    Category adn(kBookAdn, 6);
    fill(adn, {u"A", u"B"});
    EXPECT_EQ(commitEntryRow(adn, 4, u"New", u"9", true).slot, 2);
    EXPECT_EQ(names(adn), (std::vector<std::u16string>{u"A", u"B", u"New", u"", u"", u""}));
    EXPECT_EQ(commitEntryRow(adn, 5, u"Gap", u"9", false).slot, 5);
}

TEST(CommitRow, MessageKeepsOnlyItsTextsAndTheChangedFlag) {
    Category sms(kBookSms, 3);
    SmsEntry stored = makeMessage(u"Hi", u"+491");
    stored.flags = 1;
    stored.timestamp = {2024, 1, 0, 1, 12, 0, 0, 0};
    *sms.message(0) = stored;
    EXPECT_FALSE(commitMessageRow(sms, 0, u"+491", u"", u"Hi", false).stored);

    ASSERT_TRUE(commitMessageRow(sms, 0, u"+491", u"+49171", u"Hi there", false).stored);
    const SmsEntry& m = *sms.message(0);
    EXPECT_EQ(static_cast<uint32_t>(m.flags), kSmsChanged);
    EXPECT_EQ(m.timestamp.year, 0);
    EXPECT_EQ(fieldText(m.smsc), u"+49171");
    EXPECT_EQ(fieldText(m.text), u"Hi there");
}

TEST(CommitRow, IdenValuesAndSpeedDialsReplaceTheEntrysOwn) {
    Category iden(kBookNextel, 2);
    *iden.entry(0) = makeEntry(u"Carl", u"1");
    IdenValues values;
    values.values[kValueMain] = u"1";
    values.values[kValueTalkgroup] = u"12";
    values.speedDials[kValueTalkgroup] = 2;
    ASSERT_TRUE(commitIdenRow(iden, 0, values, true).stored);
    EXPECT_EQ(entryValue(*iden.entry(0), kValueTalkgroup), u"12");
    EXPECT_EQ(iden.entry(0)->recordNumbers[kValueTalkgroup], 2);
    EXPECT_EQ(nameAt(iden, 0), u"Carl");
    EXPECT_FALSE(commitIdenRow(iden, 0, values, true).stored);
}

TEST(CommitRow, AdditionalValuesReplaceTheirOwnAndKeepNameNumberAndRecord) {
    Category usim(kBookUsim, 2);
    PhoneBookEntry stored = makeEntry(u"Alice", u"+441");
    stored.recordNumbers[0] = 1;
    *usim.entry(0) = stored;
    std::vector<std::u16string> texts(additionalValues(kBookUsim).size());
    texts[0] = u"+442";
    texts[5] = u"alice@example.com";
    ASSERT_TRUE(commitAdditionalValues(usim, 0, texts, true).stored);
    EXPECT_EQ(entryValue(*usim.entry(0), kUsimFirstNumberValue), u"+442");
    EXPECT_EQ(entryValue(*usim.entry(0), kValueEmail), u"alice@example.com");
    EXPECT_EQ(nameAt(usim, 0), u"Alice");
    EXPECT_EQ(usim.entry(0)->recordNumbers[0], 1);
    EXPECT_EQ(usim.undoStack().size(), size_t(1));

    // A letter in a number, a text too long for its value, a miscounted list
    // or a book without such values: nothing is stored.
    std::vector<std::u16string> letters = texts;
    letters[1] = u"12a";
    std::vector<std::u16string> tooLong = texts;
    tooLong[7] = std::u16string(entryValueWidth(kUsimSecondNameValue) + 1, u'x');
    EXPECT_FALSE(commitAdditionalValues(usim, 0, letters, true).stored);
    EXPECT_FALSE(commitAdditionalValues(usim, 0, tooLong, true).stored);
    EXPECT_FALSE(commitAdditionalValues(usim, 0, std::span(texts).first(2), true).stored);
    Category adn(kBookAdn, 1);
    EXPECT_FALSE(commitAdditionalValues(adn, 0, texts, true).stored);
    EXPECT_EQ(usim.undoStack().size(), size_t(1));
}
