#include "ModelTestSupport.h"

#include "CharacterFilter.h"
#include "CommandLineFiles.h"
#include "DialogPlacement.h"
#include "FieldRules.h"
#include "FileDocument.h"
#include "NewDocumentName.h"
#include "UnsavedChanges.h"

#include <gtest/gtest.h>

using namespace pelmora::model;
using namespace pelmora::model::test;
using pelmora::velmet::WindowRect;

TEST(CharacterFilter, TypedLetterPastedNumberAndCleanText) {
    struct Case {
        std::u16string_view text;
        size_t selectionStart;
        std::u16string_view filtered;
        size_t caret;
        bool changed;
    };
    const Case cases[] = {
        {u"12a3", 3, u"123", 2, true},                       // letter typed after "12"
        {u"+49 (30) x12p3", 14, u"+49 (30) 12p3", 13, true}, // pasted number with a letter
        {u"*#0+-()[]p ", 4, u"*#0+-()[]p ", 0, false},
        {u"x", 1, u"", 0, true},
    };
    for (const Case& c : cases) {
        const FilteredText f = filterCharacters(c.text, kNumberCharacters, c.selectionStart);
        EXPECT_EQ(f.changed, c.changed);
        if (c.changed) {
            EXPECT_EQ(f.text, c.filtered);
            EXPECT_EQ(f.caret, c.caret);
        }
    }
}

TEST(DialogPlacement, RememberedCentredAndKeptOnScreen) {
    const WindowRect screen{0, 0, 1920, 1080};
    const WindowRect dialog{5, 5, 405, 305};
    const WindowRect parent{100, 100, 900, 700};
    EXPECT_EQ(placeDialog({50, 60, 1, 1}, dialog, parent, screen), (WindowRect{50, 60, 450, 360}));
    EXPECT_EQ(placeDialog({}, dialog, parent, screen), (WindowRect{300, 250, 700, 550}));
    EXPECT_EQ(placeDialog({}, dialog, {1700, 900, 1900, 1000}, screen),
              (WindowRect{1520, 780, 1920, 1080}));
    EXPECT_EQ(placeDialog({-900, -800, 0, 5}, dialog, {-900, -800, -100, -200}, screen),
              (WindowRect{0, 0, 400, 300}));
    EXPECT_EQ(placeDialog({3000, 2000, 3400, 2300}, dialog, parent, screen),
              (WindowRect{1520, 780, 1920, 1080}));
}

TEST(NewDocumentName, CounterFromTheFileRootsThatCarryTheName) {
    const std::u16string none[] = {u"/home/a.phn"};
    EXPECT_EQ(newDocumentName(u"Untitled", none), u"Untitled1");
    const std::u16string one[] = {u"Untitled1", u"/home/a.phn"};
    EXPECT_EQ(newDocumentName(u"Untitled", one), u"Untitled2");
    const std::u16string afterClose[] = {u"*Untitled2"};
    EXPECT_EQ(newDocumentName(u"Untitled", afterClose), u"Untitled3");
}

TEST(CommandLineFiles, QuotesBlanksLimitAndProgramFolder) {
    EXPECT_EQ(commandLineTokens(u"  a.phn \"my book.csv\" /tmp/b.phn \"open"),
              (std::vector<std::u16string>{u"a.phn", u"my book.csv", u"/tmp/b.phn", u"open"}));
    const std::u16string longToken(600, u'x');
    EXPECT_EQ(commandLineTokens(longToken).front().size(), kCommandLineTokenWidth);
    EXPECT_EQ(commandLineFile(u"a.phn", "/opt/pelmora"),
              std::filesystem::path("/opt/pelmora/a.phn"));
    EXPECT_EQ(commandLineFile(u"/tmp/b.phn", "/opt/pelmora"), std::filesystem::path("/tmp/b.phn"));
}

TEST(UnsavedChanges, EveryWayOutAsksOnceAtTheFirstChangedBook) {
    FileDocument clean(u"a");
    clean.addCategory(kBookAdn, 2);
    FileDocument edited(u"b");
    edited.addCategory(kBookAdn, 2);
    Category& lnd = edited.addCategory(kBookLnd, 2);
    Category& sms = edited.addCategory(kBookSms, 2);
    lnd.markChanged();
    sms.markChanged();
    const Document* all[] = {&clean, &edited};
    const Document* onlyClean[] = {&clean};

    for (LeaveWay way : {LeaveWay::CloseBox, LeaveWay::Exit, LeaveWay::Escape}) {
        int asked = 0;
        const UnsavedQuestion q = unsavedChangesQuestion(all, way);
        EXPECT_EQ(q.firstChanged, &lnd);
        EXPECT_EQ(q.text, kKeepProgramOpenText);
        EXPECT_FALSE(mayLeave(all, way, [&](const UnsavedQuestion&) { return ++asked > 0; }));
        EXPECT_TRUE(mayLeave(all, way, [&](const UnsavedQuestion&) { return !++asked; }));
        EXPECT_EQ(asked, 2);
    }
    EXPECT_EQ(unsavedChangesQuestion(all, LeaveWay::CloseDocument).text, kCloseChangedDocumentText);
    EXPECT_TRUE(
        mayLeave(all, LeaveWay::CloseDocument, [](const UnsavedQuestion&) { return true; }));
    EXPECT_TRUE(mayLeave(onlyClean, LeaveWay::Exit, [](const UnsavedQuestion&) -> bool {
        ADD_FAILURE() << "asked without changes";
        return true;
    }));
}
