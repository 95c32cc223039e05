#include "FileTestSupport.h"

#include "ClipboardText.h"

#include <gtest/gtest.h>

using namespace pelmora::model;
using namespace pelmora::model::test;

TEST(ClipboardCopy, SelectedNonEmptyEntriesBecomeRows) {
    Category adn(kBookAdn, 4);
    *adn.entry(0) = makeEntry(u"Smith, Anna", u"+44 20");
    *adn.entry(2) = makeEntry(u"", u"112");
    const int selected[] = {2, 1, 0};
    EXPECT_EQ(copyRows(adn, selected, u','), u"\"Smith, Anna\",\"+44 20\"\r\n,112\r\n");

    Category iden(kBookNextel, 12);
    *iden.entry(0) = fullIdenEntry(u"Ann", 1);
    const int first[] = {0};
    EXPECT_EQ(copyRows(iden, first, u';'),
              u"Ann;\"+1 (555) 100\";555-3;555-2;555-4;555-5;555-6;*#6;ann.lee@example.org;"
              u"10.0.0.1;100*20*300;255\r\n");
    Category box(kBookSms, 1);
    *box.message(0) = makeMessage(u"no");
    EXPECT_EQ(copyRows(box, first, u','), u"");
}

TEST(ClipboardPaste, ExtraNumbersBecomeEntriesNamedAfterTheContact) {
    Category adn(kBookAdn, 5);
    RecordingObserver list;
    EXPECT_EQ(pasteRows(adn, u"Bob;123;456", u';', PasteOptions{}, &list), 1u);
    EXPECT_EQ(nameAt(adn, 0), u"Bob");
    EXPECT_EQ(numberAt(adn, 0), u"123");
    EXPECT_EQ(nameAt(adn, 1), u"Bob/W");
    EXPECT_EQ(numberAt(adn, 1), u"456");
    EXPECT_EQ(list.selections.back(), std::vector<int>{1});
    // One undo step takes back the whole row.
    adn.undo();
    EXPECT_EQ(adn.lastUsedSlot(), -1);
}

TEST(ClipboardPaste, EachRowIsItsOwnUndoStepAndAFullCardBookStops) {
    Category adn(kBookAdn, 2);
    EXPECT_EQ(pasteRows(adn, u"A,1\r\nB,2\r\nC,3\r\n", u',', PasteOptions{}, nullptr), 2u);
    EXPECT_EQ(adn.slotCount(), 2u);
    adn.undo();
    EXPECT_EQ(nameAt(adn, 0), u"A");
    EXPECT_TRUE(adn.isEmpty(1));
}

TEST(ClipboardPaste, BookOfAFileGrowsEvenFromNothing) {
    Category adn(kBookAdn, 0);
    PasteOptions file;
    file.fileBook = true;
    EXPECT_EQ(pasteRows(adn, u"A,1\r\nB,2,3", u',', file, nullptr), 2u);
    EXPECT_EQ(adn.slotCount(), 3u);
    EXPECT_EQ(nameAt(adn, 2), u"B/W");
}

TEST(ClipboardPaste, ValuesTheCardCannotHoldAreRefused) {
    Category iden(kBookNextel, 20);
    pasteRows(iden, u"Team,,,,,,,,,10.0.0.256,,256", u',', PasteOptions{}, nullptr);
    EXPECT_EQ(nameAt(iden, 0), u"Team");
    EXPECT_EQ(entryValue(*iden.entry(0), kValueTalkgroup), u"");
    EXPECT_EQ(entryValue(*iden.entry(0), kValueChatAddress), u"");
}

TEST(ClipboardPaste, NumbersTheCardCannotHoldAsPastedAreNamed) {
    Category adn(kBookAdn, 5);
    const std::u16string tooLong(70, u'1');
    std::vector<std::u16string> notes;
    pasteRows(adn, u"Ann,+44p1w2\r\nBo," + tooLong + u"\r\nCy,123\r\n", u',', PasteOptions{},
              nullptr, &notes);
    EXPECT_EQ(numberAt(adn, 0), u"+44p12");
    EXPECT_EQ(numberAt(adn, 1), tooLong.substr(0, 60));
    EXPECT_EQ(notes.size(), 2u); // one line each, naming its row
}

TEST(ClipboardPaste, NothingToPaste) {
    Category adn(kBookAdn, 2);
    RecordingObserver list;
    EXPECT_EQ(pasteRows(adn, u"", u',', PasteOptions{}, &list), 0u);
    EXPECT_EQ(list.refills, 0);
    Category box(kBookSms, 2);
    EXPECT_EQ(pasteRows(box, u"A,1", u',', PasteOptions{}, nullptr), 0u);
}

TEST(ClipboardPaste, CopiedRowsPasteBackUnchanged) {
    Category iden(kBookNextel, 30);
    *iden.entry(0) = fullIdenEntry(u"Ann \"A\", Lee", 1);
    const int first[] = {0};
    const std::u16string text = copyRows(iden, first, u',');
    Category target(kBookNextel, 30);
    ASSERT_EQ(pasteRows(target, text, u',', PasteOptions{}, nullptr), 1u);
    expectSameValues(*target.entry(0), *iden.entry(0));
}
