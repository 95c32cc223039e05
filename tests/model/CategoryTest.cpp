#include "ModelTestSupport.h"

#include "BookKind.h"
#include "Category.h"
#include "Records.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace pelmora::model;
using namespace pelmora::model::test;

TEST(CategoryLifecycle, CreateSizesTheArrayOfItsKind) {
    struct Case {
        uint16_t kind;
        uint32_t entries;
        uint32_t messages;
    };
    for (Case c : {Case{kBookAdn, 300, 0}, Case{kBookNextel, 600, 0}, Case{kBookSms, 0, 30},
                   Case{0x1234, 0, 0}}) {
        Category category(c.kind, c.entries + c.messages + (c.kind == 0x1234 ? 5 : 0));
        EXPECT_EQ(category.entries().size(), c.entries) << c.kind;
        EXPECT_EQ(category.messages().size(), c.messages) << c.kind;
        EXPECT_EQ(category.slotCount(), c.entries + c.messages) << c.kind;
        EXPECT_TRUE(category.unchanged());
        EXPECT_FALSE(category.canUndo());
    }
}

TEST(CategoryLifecycle, ResizeKeepsLeadingSlotsAndEmptiesHistory) {
    Category book(kBookAdn, 20);
    for (int s = 0; s < 20; ++s) {
        *book.entry(s) = makeEntry(u"N" + std::u16string(1, static_cast<char16_t>(u'a' + s)));
    }
    book.snapshot(3, Category::kNewGroup, 3);
    book.undo();
    ASSERT_TRUE(book.canRedo());
    book.setFileDescription({1, 2, 3, 4, 5, 6, 7});

    ASSERT_TRUE(book.setCapacity(10));
    EXPECT_EQ(book.slotCount(), 10u);
    EXPECT_EQ(nameAt(book, 9), u"Nj");
    EXPECT_FALSE(book.canUndo());
    EXPECT_FALSE(book.canRedo());
    EXPECT_EQ(book.fileDescription(), FileDescription{});

    book.snapshot(0, Category::kNewGroup, 0);
    ASSERT_TRUE(book.setCapacity(20));
    EXPECT_EQ(book.slotCount(), 20u);
    EXPECT_EQ(nameAt(book, 9), u"Nj");
    for (int s = 10; s < 20; ++s) {
        EXPECT_TRUE(book.isEmpty(s)) << s;
    }
    EXPECT_FALSE(book.canUndo());
}

TEST(CategoryLifecycle, OversizedCapacityIsRefusedWithoutLosingTheBook) {
    Category book(kBookAdn, 3);
    *book.entry(1) = makeEntry(u"Kept");
    EXPECT_FALSE(book.setCapacity(Category::kMaxSlots + 1));
    EXPECT_EQ(book.slotCount(), 3u);
    EXPECT_EQ(nameAt(book, 1), u"Kept");
}

TEST(CategoryLifecycle, ClearZeroesSlotsButKeepsTheirCount) {
    Category book(kBookAdn, 5);
    *book.entry(4) = makeEntry(u"X");
    book.snapshot(0, Category::kNewGroup, 0);
    book.clear();
    EXPECT_EQ(book.slotCount(), 5u);
    EXPECT_EQ(book.lastUsedSlot(), -1);
    EXPECT_FALSE(book.canUndo());
}

TEST(CategorySlots, OutOfRangeSlotsAreSkipped) {
    Category book(kBookAdn, 2);
    EXPECT_EQ(book.entry(-1), nullptr);
    EXPECT_EQ(book.entry(2), nullptr);
    EXPECT_EQ(book.message(0), nullptr);
    EXPECT_TRUE(book.isEmpty(7));
    book.replaceNumberStart(9, u"+49", 0);
    book.restoreDeletedMessage(0);
    EXPECT_TRUE(book.unchanged());
}

TEST(CategorySlots, CompactClosesGapsInOrder) {
    Category book(kBookAdn, 300);
    *book.entry(0) = makeEntry(u"A");
    *book.entry(5) = makeEntry(u"B");
    *book.entry(9) = makeEntry(u"C");
    EXPECT_EQ(book.lastUsedSlot(), 9);
    book.compact();
    EXPECT_EQ(nameAt(book, 0), u"A");
    EXPECT_EQ(nameAt(book, 1), u"B");
    EXPECT_EQ(nameAt(book, 2), u"C");
    for (int s = 3; s <= 9; ++s) {
        EXPECT_TRUE(book.isEmpty(s)) << s;
    }
    EXPECT_EQ(book.lastUsedSlot(), 2);
    EXPECT_FALSE(book.canUndo());
}

TEST(CategorySlots, CompactLeavesMessagesInPlace) {
    Category box(kBookSms, 3);
    *box.message(2) = makeMessage(u"late");
    box.compact();
    EXPECT_TRUE(box.isEmpty(0));
    EXPECT_FALSE(box.isEmpty(2));
}

TEST(RecordComparison, EntriesDifferInAnyByteMessagesOnlyInTheirTexts) {
    PhoneBookEntry a = makeEntry(u"Ann", u"1");
    PhoneBookEntry b = a;
    EXPECT_FALSE(recordsDiffer(a, b));
    b.recordNumbers[0] = 4;
    EXPECT_TRUE(recordsDiffer(a, b));

    SmsEntry m = makeMessage(u"hi", u"+1");
    SmsEntry n = m;
    n.flags = static_cast<int32_t>(kSmsChanged);
    n.timestamp.year = 2003;
    n.padding = 7;
    EXPECT_FALSE(recordsDiffer(m, n));
    n.smsc[0] = u'9';
    EXPECT_TRUE(recordsDiffer(m, n));
}

TEST(RecordText, FieldsAreReadWithinTheirCapacityAndCutOnWrite) {
    PhoneBookEntry e{};
    std::fill(std::begin(e.value0), std::end(e.value0), u'7'); // no terminator at all
    EXPECT_EQ(fieldText(e.value0).size(), 61u);

    setFieldText(e.value0, std::u16string(100, u'1'));
    EXPECT_EQ(fieldText(e.value0).size(), 60u);
    setFieldText(e.value0, u"12");
    EXPECT_EQ(e.value0[2], u'\0');
    EXPECT_EQ(e.value0[60], u'\0');

    // A surrogate pair straddling the width is dropped whole.
    std::u16string talk = u"123\xD83D\xDE00";
    setEntryValue(e, kValueTalkgroup, talk);
    EXPECT_EQ(entryValue(e, kValueTalkgroup), u"123");
}

TEST(Messages, RestoreClearsDeletedAndMarksChangedWithoutUndo) {
    Category box(kBookSms, 2);
    *box.message(1) = makeMessage(u"gone");
    box.message(1)->flags = static_cast<int32_t>(kSmsChanged | kSmsDeleted);
    ASSERT_TRUE(box.isDeletedMessage(1));
    box.restoreDeletedMessage(1);
    EXPECT_FALSE(box.isDeletedMessage(1));
    EXPECT_EQ(static_cast<uint32_t>(box.message(1)->flags), kSmsChanged | kSmsUndelete);
    EXPECT_FALSE(box.unchanged());
    EXPECT_FALSE(box.canUndo());
    EXPECT_FALSE(box.isDeletedMessage(5));
}

TEST(ReplaceNumberStart, PrefixReplacesLeadingCharactersAndIsCut) {
    Category book(kBookAdn, 1);
    *book.entry(0) = makeEntry(u"A", u"030123");
    book.replaceNumberStart(0, u"+49", 1);
    EXPECT_EQ(numberAt(book, 0), u"+4930123");
    book.replaceNumberStart(0, u"0", 100);
    EXPECT_EQ(numberAt(book, 0), u"0");
    book.replaceNumberStart(0, std::u16string(70, u'9'), 0);
    EXPECT_EQ(numberAt(book, 0).size(), 60u);
}
