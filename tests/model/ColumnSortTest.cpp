#include "ModelTestSupport.h"

#include "ColumnSort.h"

#include <gtest/gtest.h>

using namespace pelmora::model;
using namespace pelmora::model::test;

using Names = std::vector<std::u16string>;

TEST(SortByColumn, AscendingThenDescendingWithEmptySlotsFixed) {
    Category book(kBookAdn, 7);
    fill(book, {u"b", u"", u"C", u"a", u"", u"B"});
    RecordingObserver list;

    EXPECT_EQ(sortByColumn(book, SortColumn::Name, &list), SortResult::Ascending);
    // Code-unit order: capitals first.
    EXPECT_EQ(names(book), (Names{u"B", u"", u"C", u"a", u"", u"b", u""}));
    EXPECT_EQ(list.refills, 1);

    EXPECT_EQ(sortByColumn(book, SortColumn::Name, &list), SortResult::Descending);
    EXPECT_EQ(names(book), (Names{u"b", u"", u"a", u"C", u"", u"B", u""}));

    EXPECT_EQ(sortByColumn(book, SortColumn::Name, &list), SortResult::Ascending);
    EXPECT_EQ(names(book), (Names{u"B", u"", u"C", u"a", u"", u"b", u""}));
}

TEST(SortByColumn, OneUndoStepRestoresTheOldOrder) {
    Category book(kBookAdn, 5);
    fill(book, {u"d", u"a", u"", u"c", u"b"});
    sortByColumn(book, SortColumn::Name, nullptr);
    book.undo();
    EXPECT_EQ(names(book), (Names{u"d", u"a", u"", u"c", u"b"}));
    EXPECT_FALSE(book.canUndo());
}

TEST(SortByColumn, NumbersSortAndRecordsMoveWhole) {
    Category book(kBookNextel, 4);
    *book.entry(0) = makeEntry(u"x", u"30");
    book.entry(0)->recordNumbers[0] = 2;
    *book.entry(1) = makeEntry(u"y", u"100");
    book.entry(1)->recordNumbers[0] = 1;
    sortByColumn(book, SortColumn::Number, nullptr);
    EXPECT_EQ(numberAt(book, 0), u"100");
    EXPECT_EQ(nameAt(book, 0), u"y");
    EXPECT_EQ(book.entry(0)->recordNumbers[0], 1);
    EXPECT_EQ(book.entry(1)->recordNumbers[0], 2);
}

TEST(SortByColumn, EqualKeysKeepTheirOrderBothWays) {
    Category book(kBookAdn, 4);
    *book.entry(0) = makeEntry(u"same", u"1");
    *book.entry(1) = makeEntry(u"same", u"2");
    *book.entry(2) = makeEntry(u"a", u"3");
    sortByColumn(book, SortColumn::Name, nullptr);
    EXPECT_EQ(numberAt(book, 0), u"3");
    EXPECT_EQ(numberAt(book, 1), u"1");
    EXPECT_EQ(numberAt(book, 2), u"2");
    sortByColumn(book, SortColumn::Name, nullptr);
    EXPECT_EQ(numberAt(book, 0), u"1");
    EXPECT_EQ(numberAt(book, 1), u"2");
    EXPECT_EQ(numberAt(book, 2), u"3");
}

TEST(SortByColumn, MessagesAreNotSorted) {
    Category box(kBookSms, 2);
    EXPECT_EQ(sortByColumn(box, SortColumn::Name, nullptr), SortResult::NotSorted);
    EXPECT_FALSE(box.canUndo());
}
