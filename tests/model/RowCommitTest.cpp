#include "ModelTestSupport.h"

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
