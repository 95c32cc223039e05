#include "ModelTestSupport.h"

#include "PackedRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

using namespace pelmora::model;
using namespace pelmora::model::test;

namespace {

void edit(Category& book, int first, int last, std::u16string_view name) {
    book.snapshot(first, Category::kNewGroup, last);
    for (int s = first; s <= last; ++s) {
        *book.entry(s) = makeEntry(name);
    }
}

} // namespace

TEST(UndoGroups, EachEditingStepIsUndoneWhole) {
    Category book(kBookAdn, 10);
    RecordingObserver list;
    edit(book, 3, 3, u"one");
    edit(book, 4, 6, u"two");

    EXPECT_EQ(book.undo(&list), 6);
    EXPECT_EQ(nameAt(book, 3), u"one");
    EXPECT_TRUE(book.isEmpty(4) && book.isEmpty(5) && book.isEmpty(6));
    EXPECT_EQ(book.undo(&list), 3);
    EXPECT_TRUE(book.isEmpty(3));
    EXPECT_FALSE(book.canUndo());
    EXPECT_EQ(book.redoStack().size(), 4u);
    EXPECT_EQ(list.refills, 2);
    EXPECT_EQ(list.selections.back(), std::vector<int>{3});

    edit(book, 0, 0, u"new");
    EXPECT_FALSE(book.canRedo());
}

TEST(UndoGroups, RedoRestoresTheEditAndCountsAsChanged) {
    Category book(kBookAdn, 10);
    edit(book, 2, 4, u"x");
    book.undo();
    book.markUnchanged();
    EXPECT_EQ(book.redo(), 2);
    EXPECT_FALSE(book.unchanged());
    for (int s = 2; s <= 4; ++s) {
        EXPECT_EQ(nameAt(book, s), u"x");
    }
    // The redone step is one undo step again.
    book.undo();
    EXPECT_TRUE(book.isEmpty(2) && book.isEmpty(4));
    EXPECT_FALSE(book.canUndo());
}

TEST(UndoGroups, UndoAfterSaveMarksTheBookChanged) {
    Category book(kBookAdn, 4);
    edit(book, 1, 1, u"saved");
    book.markUnchanged(); // saved or written to the card
    book.undo();
    EXPECT_FALSE(book.unchanged());
}

TEST(UndoGroups, AddingToTheNewestGroupUndoesSlotsFarApartTogether) {
    Category book(kBookAdn, 100);
    book.snapshot(2, Category::kNewGroup, 2);
    *book.entry(2) = makeEntry(u"a");
    book.snapshotIntoNewestGroup(90);
    *book.entry(90) = makeEntry(u"b");
    EXPECT_EQ(book.undoStack().size(), 2u);
    book.undo();
    EXPECT_EQ(book.lastUsedSlot(), -1);
    book.redo();
    EXPECT_EQ(nameAt(book, 90), u"b");
    EXPECT_EQ(nameAt(book, 2), u"a");
}

TEST(UndoGroups, MessagesAreSnapshotWhole) {
    Category box(kBookSms, 3);
    *box.message(1) = makeMessage(u"before");
    box.message(1)->flags = 0x12345;
    box.snapshot(1, Category::kNewGroup, 1);
    *box.message(1) = makeMessage(u"after");
    box.undo();
    EXPECT_EQ(fieldText(box.message(1)->text), u"before");
    EXPECT_EQ(box.message(1)->flags, 0x12345);
    EXPECT_EQ(box.undoStack().size(), 0u);
    EXPECT_EQ(box.redoStack().front().kind, RecordKind::Message);
}

TEST(UndoGroups, SnapshotRangeIsClampedToTheBook) {
    Category book(kBookAdn, 5);
    book.snapshot(3, Category::kNewGroup, 1000000);
    EXPECT_EQ(book.undoStack().size(), 2u);
    book.snapshot(-5, Category::kNewGroup, -9);
    EXPECT_EQ(book.undoStack().size(), 3u);
    EXPECT_EQ(book.undo(), 0);
}

TEST(PackedCopies, RoundTripAnyRecordExactly) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        PhoneBookEntry original{};
        auto* bytes = reinterpret_cast<unsigned char*>(&original);
        // Sparse, dense and edge-touching patterns.
        const int density = round % 5;
        for (size_t i = 0; i < sizeof original; ++i) {
            if (static_cast<int>(random() % 8) < density || i == sizeof original - 1) {
                bytes[i] = static_cast<unsigned char>(random());
            }
        }
        PackedRecord packed(&original, sizeof original);
        PhoneBookEntry copy;
        ASSERT_TRUE(packed.unpack(&copy, sizeof copy));
        ASSERT_EQ(std::memcmp(&original, &copy, sizeof copy), 0) << round;
    }
}

TEST(PackedCopies, TypicalEntryIsSmallAndWrongSizeIsRefused) {
    PhoneBookEntry entry = makeEntry(u"Anna Smith", u"+442071234567");
    entry.recordNumbers[0] = 12;
    PackedRecord packed(&entry, sizeof entry);
    EXPECT_LT(packed.packedBytes(), 100u);
    SmsEntry wrong;
    EXPECT_FALSE(packed.unpack(&wrong, sizeof wrong));
    PackedRecord empty(&entry, 0);
    EXPECT_EQ(empty.packedBytes(), 0u);
}

TEST(UndoGroups, StoringAnEqualRecordTakesNoUndoStep) {
    Category book(kBookAdn, 2);
    *book.entry(0) = makeEntry(u"Ann", u"1");
    EXPECT_FALSE(book.storeEntry(0, makeEntry(u"Ann", u"1")));
    EXPECT_FALSE(book.canUndo());
    EXPECT_TRUE(book.unchanged());
    EXPECT_TRUE(book.storeEntry(0, makeEntry(u"Ann", u"2")));
    book.undo();
    EXPECT_EQ(numberAt(book, 0), u"1");
}
