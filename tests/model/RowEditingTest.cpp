#include "ModelTestSupport.h"

#include "RowEditing.h"

#include <gtest/gtest.h>

using namespace pelmora::model;
using namespace pelmora::model::test;

using Names = std::vector<std::u16string>;

TEST(DeleteRows, WithHolesEmptiesTheSlotsInOneUndoStep) {
    Category book(kBookAdn, 8);
    fill(book, {u"A", u"B", u"C", u"D", u"E", u"F"});
    RecordingObserver list;
    const int selected[] = {4, 2};
    ASSERT_TRUE(deleteRows(book, selected, false, &list));
    EXPECT_EQ(names(book), (Names{u"A", u"B", u"", u"D", u"", u"F", u"", u""}));
    EXPECT_EQ(list.refills, 1);
    book.undo();
    EXPECT_EQ(names(book), (Names{u"A", u"B", u"C", u"D", u"E", u"F", u"", u""}));
    EXPECT_FALSE(book.canUndo());
}

TEST(DeleteRows, WithoutHolesCompactsAndUndoRestoresUpToTheOldLastUsedSlot) {
    Category book(kBookAdn, 8);
    fill(book, {u"A", u"B", u"C", u"D", u"E", u"F"});
    const int selected[] = {2, 4};
    ASSERT_TRUE(deleteRows(book, selected, true, nullptr));
    EXPECT_EQ(names(book), (Names{u"A", u"B", u"D", u"F", u"", u"", u"", u""}));
    book.undo();
    EXPECT_EQ(names(book), (Names{u"A", u"B", u"C", u"D", u"E", u"F", u"", u""}));
    // slots 2..5 in one group
    EXPECT_EQ(book.redoStack().size(), 4u);
}

TEST(DeleteRows, UndoAfterCompactionOverAnEarlierGapRestoresTheBookExactly) {
    // A, _, B, C; deleting B must not turn into A, C, B, C on undo.
    Category book(kBookAdn, 4);
    fill(book, {u"A", u"", u"B", u"C"});
    const int selected[] = {2};
    ASSERT_TRUE(deleteRows(book, selected, true, nullptr));
    EXPECT_EQ(names(book), (Names{u"A", u"C", u"", u""}));
    book.undo();
    EXPECT_EQ(names(book), (Names{u"A", u"", u"B", u"C"}));
    book.redo();
    EXPECT_EQ(names(book), (Names{u"A", u"C", u"", u""}));
}

TEST(DeleteRows, NothingSelectedOrOutOfRangeDoesNothing) {
    Category book(kBookAdn, 3);
    fill(book, {u"A"});
    EXPECT_FALSE(deleteRows(book, {}, false, nullptr));
    const int outside[] = {-1, 3, 99};
    EXPECT_FALSE(deleteRows(book, outside, true, nullptr));
    EXPECT_TRUE(book.unchanged());
    Category none(0x1234, 3);
    const int first[] = {0};
    EXPECT_FALSE(deleteRows(none, first, false, nullptr));
}

TEST(DeleteRows, MessagesAreMarkedDeletedInPlaceWithoutUndo) {
    Category box(kBookSms, 3);
    *box.message(1) = makeMessage(u"bye");
    const int selected[] = {1, 2};
    ASSERT_TRUE(deleteRows(box, selected, true, nullptr));
    EXPECT_EQ(static_cast<uint32_t>(box.message(1)->flags), kSmsChanged | kSmsDeleted);
    EXPECT_EQ(fieldText(box.message(1)->text), u"bye");
    EXPECT_EQ(box.message(2)->flags, 0); // an empty slot has nothing to delete
    EXPECT_FALSE(box.unchanged());
    EXPECT_FALSE(box.canUndo());

    RecordingObserver list;
    const int restore[] = {1};
    restoreDeletedMessages(box, restore, &list);
    EXPECT_FALSE(box.isDeletedMessage(1));
    EXPECT_EQ(list.refills, 1);
}

TEST(MoveRows, BlockMovesUpAndEachSwapIsOneUndoStep) {
    Category book(kBookAdn, 8);
    fill(book, {u"A", u"B", u"C", u"D", u"E", u"F"});
    RecordingObserver list;
    const int selected[] = {3, 4, 5};
    EXPECT_EQ(moveRows(book, selected, MoveDirection::Up, false, &list), 3);
    EXPECT_EQ(names(book), (Names{u"A", u"B", u"D", u"E", u"F", u"C", u"", u""}));
    EXPECT_EQ(list.selections.back(), (std::vector<int>{2, 3, 4}));
    for (int i = 0; i < 3; ++i) {
        book.undo();
    }
    EXPECT_EQ(names(book), (Names{u"A", u"B", u"C", u"D", u"E", u"F", u"", u""}));
    EXPECT_FALSE(book.canUndo());
}

TEST(MoveRows, BlockMovesDown) {
    Category book(kBookAdn, 6);
    fill(book, {u"A", u"B", u"C", u"D"});
    const int selected[] = {1, 2};
    EXPECT_EQ(moveRows(book, selected, MoveDirection::Down, false, nullptr), 2);
    EXPECT_EQ(names(book), (Names{u"A", u"D", u"B", u"C", u"", u""}));
}

TEST(MoveRows, SelectedEntryAtTheEdgeStopsTheWholeMove) {
    Category book(kBookAdn, 4);
    fill(book, {u"A", u"B", u"C", u"D"});
    RecordingObserver list;
    const int up[] = {0, 2};
    EXPECT_EQ(moveRows(book, up, MoveDirection::Up, false, &list), 0);
    const int down[] = {1, 3};
    EXPECT_EQ(moveRows(book, down, MoveDirection::Down, false, &list), 0);
    EXPECT_EQ(names(book), (Names{u"A", u"B", u"C", u"D"}));
    EXPECT_TRUE(list.selections.empty());
    EXPECT_TRUE(book.unchanged());
}

TEST(MoveRows, EmptySlotsDoNotMoveAndTheLastEntryKeepsItsPlaceWithoutHoles) {
    Category book(kBookAdn, 5);
    fill(book, {u"A", u"B", u"C"});
    const int emptySlot[] = {4};
    EXPECT_EQ(moveRows(book, emptySlot, MoveDirection::Up, false, nullptr), 0);
    const int last[] = {2};
    EXPECT_EQ(moveRows(book, last, MoveDirection::Down, true, nullptr), 0);
    EXPECT_EQ(moveRows(book, last, MoveDirection::Down, false, nullptr), 1);
    EXPECT_EQ(names(book), (Names{u"A", u"B", u"", u"C", u""}));
}

TEST(MoveRows, MessagesDoNotMove) {
    Category box(kBookSms, 3);
    *box.message(1) = makeMessage(u"m");
    const int selected[] = {1};
    EXPECT_EQ(moveRows(box, selected, MoveDirection::Up, false, nullptr), 0);
}
