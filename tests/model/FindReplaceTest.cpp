#include "ModelTestSupport.h"

#include "FieldMatcher.h"
#include "FindReplace.h"

#include <gtest/gtest.h>

using namespace pelmora::model;
using namespace pelmora::model::test;

TEST(FieldMatching, CaseAndWholeFieldRules) {
    struct Case {
        const char16_t* field;
        const char16_t* text;
        bool matchCase;
        bool matchWord;
        bool matches;
    };
    const Case cases[] = {
        {u"ANNA", u"an", false, false, true},  {u"ANNA", u"an", true, false, false},
        {u"Anna", u"Ann", false, true, false}, {u"Anna", u"anna", false, true, true},
        {u"Anna", u"anna", true, true, false}, {u"Наташа", u"НАТ", false, false, true},
        {u"Ölçer", u"öl", false, false, true}, {u"", u"a", false, false, false},
        {u"abc", u"", false, false, false},
    };
    for (const Case& c : cases) {
        FieldMatcher matcher(SearchOptions{c.text, c.matchCase, c.matchWord});
        EXPECT_EQ(matcher.matches(c.field), c.matches)
            << std::string(c.field, c.field + std::char_traits<char16_t>::length(c.field)).size();
    }
}

TEST(FieldMatching, ReplaceChangesTheFirstOccurrenceOnlyOrTheWholeField) {
    FieldMatcher part(SearchOptions{u"an", false, false});
    EXPECT_EQ(part.replace(u"ANNA BANANA", u"xy"), u"xyNA BANANA");
    FieldMatcher word(SearchOptions{u"anna", false, true});
    EXPECT_EQ(word.replace(u"Anna", u"Bo"), u"Bo");
    EXPECT_FALSE(word.replace(u"Annabel", u"Bo").has_value());
}

TEST(FindNext, SelectsTheHitAloneAndAdvancesTheSearchPosition) {
    Category book(kBookAdn, 5);
    fill(book, {u"Bob", u"Anna", u"", u"Hannah"});
    RecordingObserver list;
    SearchOptions options{u"an", false, false};

    auto hit = findNext(book, options, &list);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->slot, 1);
    EXPECT_EQ(book.searchPosition(), 2);
    EXPECT_EQ(list.selections.back(), std::vector<int>{1});

    EXPECT_EQ(findNext(book, options, &list)->slot, 3);
    // Reaching the end restarts once from the first entry.
    EXPECT_EQ(findNext(book, options, &list)->slot, 1);

    SearchOptions missing{u"zz", false, false};
    const size_t before = list.selections.size();
    EXPECT_FALSE(findNext(book, missing, &list));
    EXPECT_EQ(list.selections.size(), before);
}

TEST(FindNext, SearchesNumbersAndEveryIdenValueAndMessageFields) {
    Category book(kBookNextel, 2);
    *book.entry(1) = makeEntry(u"Ann");
    setEntryValue(*book.entry(1), kValueEmail, u"ann@example.org");
    auto hit = findNext(book, SearchOptions{u"EXAMPLE", false, false}, nullptr);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->field, kValueEmail);

    Category box(kBookSms, 2);
    *box.message(0) = makeMessage(u"hello", u"+4930");
    hit = findNext(box, SearchOptions{u"4930", false, false}, nullptr);
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->field, kMessageAddressField);
}

TEST(Replace, ChangesOnlyTheFirstOccurrenceWithOneUndoStep) {
    Category book(kBookAdn, 3);
    *book.entry(0) = makeEntry(u"ANNA", u"123");
    RecordingObserver list;
    EXPECT_EQ(replaceNext(book, SearchOptions{u"an", false, false}, u"Jo", &list),
              ReplaceResult::Replaced);
    EXPECT_EQ(nameAt(book, 0), u"JoNA");
    EXPECT_EQ(list.selections.back(), std::vector<int>{0});
    EXPECT_GE(list.refills, 1);
    book.undo();
    EXPECT_EQ(nameAt(book, 0), u"ANNA");
}

TEST(Replace, ValuesTheCardCannotHoldAreRefused) {
    Category book(kBookNextel, 2);
    *book.entry(0) = makeEntry(u"Team");
    setEntryValue(*book.entry(0), kValueTalkgroup, u"25");
    book.entry(0)->recordNumbers[kValueTalkgroup] = 1;
    EXPECT_EQ(replaceNext(book, SearchOptions{u"25", false, true}, u"256", nullptr),
              ReplaceResult::Refused);
    EXPECT_EQ(entryValue(*book.entry(0), kValueTalkgroup), u"25");
    EXPECT_FALSE(book.canUndo());

    Category adn(kBookAdn, 1);
    *adn.entry(0) = makeEntry(u"Bob", u"123");
    EXPECT_EQ(replaceNext(adn, SearchOptions{u"123", false, false}, u"call me", nullptr),
              ReplaceResult::Refused);
    EXPECT_EQ(replaceNext(adn, SearchOptions{u"zzz", false, false}, u"1", nullptr),
              ReplaceResult::NotFound);
}

TEST(Replace, EmptiedIdenValueGivesUpItsSpeedDialNumber) {
    Category book(kBookNextel, 2);
    *book.entry(0) = makeEntry(u"Ann");
    setEntryValue(*book.entry(0), kValueHome, u"555");
    book.entry(0)->recordNumbers[kValueHome] = 2;
    ASSERT_EQ(replaceNext(book, SearchOptions{u"555", false, true}, u"", nullptr),
              ReplaceResult::Replaced);
    EXPECT_EQ(book.entry(0)->recordNumbers[kValueHome], 0);
}

TEST(Replace, EditedMessageBecomesAChangedOutgoingMessage) {
    Category box(kBookSms, 1);
    *box.message(0) = makeMessage(u"see you", u"+1");
    box.message(0)->timestamp.year = 2003;
    ASSERT_EQ(replaceNext(box, SearchOptions{u"you", false, false}, u"them", nullptr),
              ReplaceResult::Replaced);
    EXPECT_EQ(fieldText(box.message(0)->text), u"see them");
    EXPECT_EQ(static_cast<uint32_t>(box.message(0)->flags), kSmsChanged);
    EXPECT_EQ(box.message(0)->timestamp.year, 0);
}

TEST(ReplaceAll, EveryMatchingFieldOfTenThousandEntriesInOneUndoStep) {
    Category book(kBookAdn, 10000);
    for (int slot = 0; slot < 10000; ++slot) {
        *book.entry(slot) = makeEntry(slot % 2 ? u"Anna" : u"Bob", u"030");
    }
    RecordingObserver list;
    const ReplaceAllResult result =
        replaceAll(book, SearchOptions{u"ann", false, false}, u"Han", &list);
    EXPECT_EQ(result.replaced, 5000);
    EXPECT_EQ(nameAt(book, 1), u"Hana");
    EXPECT_EQ(nameAt(book, 0), u"Bob");
    EXPECT_EQ(list.refills, 1);
    ASSERT_TRUE(book.canUndo());
    book.undo();
    EXPECT_FALSE(book.canUndo());
    EXPECT_EQ(nameAt(book, 9999), u"Anna");
}

TEST(ReplaceAll, RefusedFieldsAreCountedAndNothingMatchingMakesNoStep) {
    Category book(kBookAdn, 2);
    *book.entry(0) = makeEntry(u"12 Ann", u"123");
    const ReplaceAllResult result =
        replaceAll(book, SearchOptions{u"12", false, false}, u"x", nullptr);
    EXPECT_EQ(result.replaced, 1);
    EXPECT_EQ(result.refused, 1);
    EXPECT_EQ(nameAt(book, 0), u"x Ann");
    EXPECT_EQ(numberAt(book, 0), u"123");
    book.undo();
    EXPECT_EQ(replaceAll(book, SearchOptions{u"zz", false, false}, u"x", nullptr).replaced, 0);
    EXPECT_FALSE(book.canUndo());
}
