#include "FindReplaceDialog.h"
#include "Category.h"
#include "EditTestSupport.h"
#include "Records.h"
#include "Settings.h"
#include "UiTestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace pelmora;
using namespace pelmora::ui;

using namespace pelmora::ui::testing;

class FindReplaceDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(testing::useShippedLanguage()); }

    void findNextSelectsTheHitAndSaysPlainlyWhenNothingMatches() {
        model::Category book(model::kBookAdn, 5);
        fillNames(book, {u"Bob", u"Anna"});
        RecordingList list;
        velmet::Settings settings;
        settings.searchText = u"an";
        FindReplaceDialog dialog(book, &list, settings);
        dialog.show();
        click(dialog, "1");
        QCOMPARE(list.selected, std::vector<int>{1});
        QVERIFY(dialog.findChild<QLabel*>("status")->text().isEmpty());

        dialog.findChild<QLineEdit*>("1065")->setText(QStringLiteral("zz"));
        click(dialog, "1");
        QCOMPARE(dialog.findChild<QLabel*>("status")->text(),
                 QStringLiteral("No entry contains \"zz\"."));
        QCOMPARE(list.selected, std::vector<int>{1});

        dialog.findChild<QLineEdit*>("1065")->clear();
        QVERIFY(!dialog.findChild<QPushButton*>("1")->isEnabled());
        QVERIFY(!dialog.findChild<QPushButton*>("1087")->isEnabled());
    }

    void theTextsAndBoxesAreKeptInTheSettings() {
        model::Category book(model::kBookAdn, 1);
        velmet::Settings settings;
        settings.matchWord = true;
        {
            FindReplaceDialog dialog(book, nullptr, settings);
            QVERIFY(dialog.findChild<QCheckBox*>("1089")->isChecked());
            dialog.findChild<QLineEdit*>("1065")->setText(QStringLiteral("Ann"));
            dialog.findChild<QLineEdit*>("1086")->setText(QStringLiteral("Jo"));
            dialog.findChild<QCheckBox*>("1088")->setChecked(true);
            dialog.show();
            click(dialog, "1072");
        }
        QCOMPARE(settings.searchText, std::u16string(u"Ann"));
        QCOMPARE(settings.replaceText, std::u16string(u"Jo"));
        QVERIFY(settings.matchCase && settings.matchWord);
    }

    void replaceAllOverTenThousandEntriesIsOneUndoStep() {
        model::Category book(model::kBookAdn, 10000);
        fillNames(book, std::vector<std::u16string>(10000, u"Anna"));
        RecordingList list;
        velmet::Settings settings;
        settings.searchText = u"nn";
        settings.replaceText = u"m";
        FindReplaceDialog dialog(book, &list, settings);
        dialog.show();
        click(dialog, "replaceAll");
        QCOMPARE(nameAt(book, 9999), std::u16string(u"Ama"));
        QCOMPARE(dialog.findChild<QLabel*>("status")->text(),
                 QStringLiteral("10000 entries changed."));
        QCOMPARE(list.refills, 1);
        book.undo();
        QVERIFY(!book.canUndo());
        QCOMPARE(nameAt(book, 0), std::u16string(u"Anna"));
    }
};

QTEST_MAIN(FindReplaceDialogTest)
#include "FindReplaceDialogTest.moc"
