#include "EntryDialog.h"
#include "EditTestSupport.h"
#include "IdenFieldGrid.h"
#include "Prompts.h"
#include "Settings.h"
#include "SpeedDialChooser.h"
#include "UiTestSupport.h"
#include "UiText.h"

#include <QApplication>
#include <QComboBox>
#include <QIcon>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace pelmora;
using namespace pelmora::ui;
using namespace pelmora::ui::testing;

namespace {

// Runs Add or Edit; once the dialog is up, fill() sets its controls and OK is pressed.
int editWith(model::Category& book, int slot, bool mayGrow, velmet::Settings& settings,
             RecordingList& list, const std::function<void(EntryDialog&)>& fill) {
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<EntryDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        fill(*dialog);
        click(*dialog, "1");
    });
    return runEntryDialog(book, slot, mayGrow, QIcon(), QIcon(), settings, &list, nullptr);
}

QString textOf(EntryDialog& dialog, const char* control) {
    return dialog.findChild<QLineEdit*>(control)->text();
}

} // namespace

class EntryDialogTest : public QObject {
    Q_OBJECT

    velmet::Settings m_settings;

private slots:
    void initTestCase() { QVERIFY(useShippedLanguage()); }
    void init() { m_settings = velmet::Settings{}; }

    void okWithoutChangeMakesNoStepAndLeavesTheListAlone() {
        model::Category book(model::kBookAdn, 3);
        fillNames(book, {u"Ann"});
        RecordingList list;
        QCOMPARE(editWith(book, 0, false, m_settings, list,
                          [](EntryDialog& d) {
                              QCOMPARE(textOf(d, "1115"), QStringLiteral("Ann"));
                              QCOMPARE(textOf(d, "1017"), QStringLiteral("030"));
                              QVERIFY(!d.findChild<QComboBox*>("1090")->isEnabled());
                          }),
                 -1);
        QVERIFY(!book.canUndo());
        QCOMPARE(list.refills, 0);
    }

    void movingToAnotherEmptyPositionIsTwoStepsThatUndoBack() {
        m_settings.simWithoutHoles = false;
        model::Category book(model::kBookAdn, 4);
        fillNames(book, {u"Ann", u"Bob"});
        RecordingList list;
        const int written = editWith(book, 0, false, m_settings, list, [](EntryDialog& d) {
            auto* position = d.findChild<QComboBox*>("1090");
            QCOMPARE(position->count(), 3); // 1, then the empty 3 and 4
            position->setCurrentText(QStringLiteral("4"));
        });
        QCOMPARE(written, 3);
        QCOMPARE(list.selected, std::vector<int>{3});
        QVERIFY(book.isEmpty(0));
        QCOMPARE(nameAt(book, 3), std::u16string(u"Ann"));
        book.undo();
        book.undo();
        QVERIFY(!book.canUndo());
        QCOMPARE(nameAt(book, 0), std::u16string(u"Ann"));
        QVERIFY(book.isEmpty(3));
    }

    void aLetterTypedIntoTheNumberVanishesAndTheCaretStays() {
        model::Category book(model::kBookAdn, 2);
        RecordingList list;
        const int written = editWith(book, -1, false, m_settings, list, [](EntryDialog& d) {
            QTest::keyClicks(d.findChild<QLineEdit*>("1115"), "Cy");
            auto* number = d.findChild<QLineEdit*>("1017");
            QTest::keyClicks(number, "0301");
            number->setCursorPosition(2);
            QTest::keyClicks(number, "x");
            QCOMPARE(number->text(), QStringLiteral("0301"));
            QCOMPARE(number->cursorPosition(), 2);
        });
        QCOMPARE(written, 0);
        QCOMPARE(std::u16string(model::fieldText(book.entry(0)->value0)), std::u16string(u"0301"));
    }

    void addOnAFullBookWarnsOnACardAndGrowsAFileBook() {
        model::Category book(model::kBookAdn, 1);
        fillNames(book, {u"Ann"});
        RecordingList list;
        {
            ScriptedPrompts prompts;
            QCOMPARE(runEntryDialog(book, -1, false, QIcon(), QIcon(), m_settings, &list, nullptr),
                     -1);
            QCOMPARE(prompts.shown().at(0).text, ui::text(120));
        }
        const int written = editWith(book, -1, true, m_settings, list, [](EntryDialog& d) {
            d.findChild<QLineEdit*>("1115")->setText(QStringLiteral("Bob"));
        });
        QCOMPARE(written, 1);
        QCOMPARE(book.slotCount(), 2u);
    }

    void idenValuesAreCutToTheirLimitsAndGetSpeedDialNumbers() {
        model::Category book(model::kBookNextel, 3);
        RecordingList list;
        const QString email(255, QLatin1Char('a'));
        const int written = editWith(book, -1, false, m_settings, list, [&](EntryDialog& d) {
            d.findChild<QLineEdit*>("1115")->setText(QStringLiteral("Team"));
            IdenFieldGrid* grid = d.idenFields();
            QTest::keyClicks(grid->valueEdit(kValueTalkgroup), "123456");
            grid->valueEdit(kValueEmail)->setText(email);
            QTest::keyClicks(grid->valueEdit(kValueEmail), "b");
            QCOMPARE(grid->speedDialBox(kValueTalkgroup)->text(), QStringLiteral("1"));
            QCOMPARE(grid->speedDialBox(kValueEmail)->text(), QStringLiteral("2"));
            // The third and last number goes to Home; Mobile finds none left.
            QTest::keyClicks(grid->valueEdit(kValueHome), "5");
            QTest::keyClicks(grid->valueEdit(kValueMobile), "7");
            QVERIFY(grid->valueEdit(kValueMobile)->text().isEmpty());
            // With every number used, the chooser offers only the box's own.
            QApplication::setActiveWindow(&d);
            grid->speedDialBox(kValueHome)->setFocus();
            QComboBox* chooser = grid->chooser()->dropDown();
            QCOMPARE(chooser->count(), 1);
            QCOMPARE(chooser->currentText(), QStringLiteral("3"));
        });
        QCOMPARE(written, 0);
        const PhoneBookEntry& stored = *book.entry(0);
        QCOMPARE(std::u16string(model::entryValue(stored, kValueTalkgroup)),
                 std::u16string(u"1234"));
        QCOMPARE(model::entryValue(stored, kValueEmail).size(), std::size_t(255));
        QCOMPARE(stored.recordNumbers[kValueHome], 3);
    }

    void theChooserPutsTheChosenNumberIntoItsBoxWhenItLosesTheFocus() {
        model::Category book(model::kBookNextel, 5);
        model::setFieldText(book.entry(0)->name, u"Ann");
        model::setEntryValue(*book.entry(0), kValueMain, u"030");
        book.entry(0)->recordNumbers[kValueMain] = 1;
        IdenFieldGrid grid;
        grid.showEntry(book, 0);
        grid.show();
        QApplication::setActiveWindow(&grid);
        grid.speedDialBox(kValueMain)->setFocus();
        QComboBox* chooser = grid.chooser()->dropDown();
        QCOMPARE(chooser->count(), 5); // its own 1, then 2 to 5
        chooser->setCurrentText(QStringLiteral("4"));
        grid.valueEdit(kValueHome)->setFocus();
        QTRY_COMPARE(grid.speedDialBox(kValueMain)->text(), QStringLiteral("4"));
        QVERIFY(grid.speedDialBox(kValueMain)->isVisible());
        QVERIFY(!chooser->isVisible());
    }
};

QTEST_MAIN(EntryDialogTest)
#include "EntryDialogTest.moc"
