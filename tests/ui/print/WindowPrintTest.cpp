#include "CommandTable.h"
#include "Document.h"
#include "MainWindow.h"
#include "Records.h"
#include "UiTestSupport.h"
#include "UiText.h"

#include <QAction>
#include <QPushButton>
#include <QtTest>

using namespace pelmora;
using namespace pelmora::ui;

class WindowPrintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(testing::useShippedLanguage()); }

    void printOpensTheSetupForTheSelectedBookAndResetsItsTooltip() {
        velmet::Settings settings;
        MainWindow window(settings);
        window.newDocument();
        model::Category* book = window.documents().back()->category(model::kBookAdn);
        QVERIFY(book != nullptr);
        model::setFieldText(book->entry(0)->name, u"Ada");
        window.selectCategory(*book);
        QAction* print = window.action(kCmdPrint);
        print->setToolTip(QStringLiteral("something else"));

        bool setupShown = false;
        QTimer::singleShot(0, [&setupShown] {
            QWidget* setup = QApplication::activeModalWidget();
            setupShown = setup != nullptr && setup->objectName() == QLatin1String("112");
            if (setup != nullptr) {
                QTest::mouseClick(setup->findChild<QPushButton*>(QStringLiteral("1072")),
                                  Qt::LeftButton);
            }
        });
        print->trigger();
        QVERIFY(setupShown);
        QCOMPARE(print->toolTip(), text(35));
    }
};

QTEST_MAIN(WindowPrintTest)
#include "WindowPrintTest.moc"
