#include "AddPrefixDialog.h"
#include "EditTestSupport.h"
#include "UiTestSupport.h"

#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

using namespace pelmora;
using namespace pelmora::ui;
using namespace pelmora::ui::testing;

class AddPrefixDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(useShippedLanguage()); }

    void countAboveTheShortestNumberIsRefusedByTheControl() {
        model::Category book(model::kBookAdn, 4);
        fillNames(book, {u"Ann", u"Bob"});
        model::setFieldText(book.entry(1)->value0, u"0301234");
        AddPrefixDialog dialog(book, {0, 1, 2}, nullptr);
        auto* count = dialog.findChild<QSpinBox*>("1176");
        QCOMPARE(count->maximum(), 3);
        count->selectAll();
        QTest::keyClicks(count, "5");
        QCOMPARE(count->value(), 0);
    }

    void prefixReplacesLeadingSymbolsInOneUndoStepAndLeavesEmptySlots() {
        model::Category book(model::kBookAdn, 3);
        fillNames(book, {u"Ann", u"", u"Cy"});
        RecordingList list;
        AddPrefixDialog dialog(book, {0, 1, 2}, &list);
        dialog.show();
        auto* prefix = dialog.findChild<QLineEdit*>("1173");
        QTest::keyClicks(prefix, "+4x9");
        QCOMPARE(prefix->text(), QStringLiteral("+49"));
        dialog.findChild<QSpinBox*>("1176")->setValue(1);
        click(dialog, "1172");
        QCOMPARE(std::u16string(model::fieldText(book.entry(0)->value0)), std::u16string(u"+4930"));
        QCOMPARE(std::u16string(model::fieldText(book.entry(2)->value0)), std::u16string(u"+4930"));
        QVERIFY(book.isEmpty(1));
        QCOMPARE(list.refills, 1);
        book.undo();
        QVERIFY(!book.canUndo());
        QCOMPARE(std::u16string(model::fieldText(book.entry(2)->value0)), std::u16string(u"030"));
    }
};

QTEST_MAIN(AddPrefixDialogTest)
#include "AddPrefixDialogTest.moc"
