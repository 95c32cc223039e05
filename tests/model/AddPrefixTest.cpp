#include "ModelTestSupport.h"

#include "AddPrefix.h"

#include <gtest/gtest.h>

using namespace pelmora::model;
using namespace pelmora::model::test;

TEST(AddPrefix, ReplacesLeadingSymbolsInOneUndoStep) {
    Category book(kBookAdn, 4);
    *book.entry(0) = makeEntry(u"A", u"030");
    *book.entry(2) = makeEntry(u"B", u"0301234");
    const int selected[] = {0, 2};
    EXPECT_EQ(addPrefixLimit(book, selected), 3u);
    RecordingObserver list;
    ASSERT_TRUE(addPrefix(book, selected, u"+49", 1, &list));
    EXPECT_EQ(numberAt(book, 0), u"+4930");
    EXPECT_EQ(numberAt(book, 2), u"+49301234");
    EXPECT_EQ(list.refills, 1);
    book.undo();
    EXPECT_EQ(numberAt(book, 0), u"030");
    EXPECT_EQ(numberAt(book, 2), u"0301234");
    EXPECT_FALSE(book.canUndo());
}

TEST(AddPrefix, EmptySlotsAndEntriesWithoutNumberAreSkipped) {
    Category book(kBookAdn, 5);
    *book.entry(1) = makeEntry(u"A", u"123");
    *book.entry(3) = makeEntry(u"No number");
    const int all[] = {0, 1, 2, 3, 4};
    EXPECT_EQ(addPrefixLimit(book, all), 3u);
    ASSERT_TRUE(addPrefix(book, all, u"+49", 0, nullptr));
    EXPECT_TRUE(book.isEmpty(0));
    EXPECT_TRUE(book.isEmpty(2));
    EXPECT_TRUE(book.isEmpty(4));
    EXPECT_EQ(numberAt(book, 3), u"");
    EXPECT_EQ(numberAt(book, 1), u"+49123");
}

TEST(AddPrefix, RefusedPrefixesBooksAndSelections) {
    Category book(kBookAdn, 2);
    *book.entry(0) = makeEntry(u"A", u"12");
    const int first[] = {0};
    EXPECT_FALSE(addPrefix(book, first, u"49+", 0, nullptr));
    EXPECT_FALSE(addPrefix(book, first, u"1a", 0, nullptr));
    EXPECT_FALSE(addPrefix(book, {}, u"+1", 0, nullptr));
    Category box(kBookSms, 2);
    EXPECT_FALSE(addPrefix(box, first, u"+1", 0, nullptr));
    EXPECT_TRUE(book.unchanged());

    // The count is lowered to the shortest number; the prefix to 19 characters.
    ASSERT_TRUE(addPrefix(book, first, std::u16string(25, u'9'), 9, nullptr));
    EXPECT_EQ(numberAt(book, 0), std::u16string(19, u'9'));
}

TEST(AddPrefix, PrefixFieldKeepsALeadingPlusThenDialSymbols) {
    struct Case {
        const char16_t* typed;
        size_t caret;
        const char16_t* kept;
        size_t newCaret;
    };
    const Case cases[] = {
        {u"+49a", 4, u"+49", 3}, {u"4+9", 2, u"49", 1}, {u"++", 2, u"+", 1}, {u"a", 1, u"", 0}};
    for (const Case& c : cases) {
        const FilteredText f = filterPrefix(c.typed, c.caret);
        EXPECT_TRUE(f.changed);
        EXPECT_EQ(f.text, c.kept);
        EXPECT_EQ(f.caret, c.newCaret);
    }
    EXPECT_FALSE(filterPrefix(u"+*31#", 5).changed);
}
