#include "Category.h"
#include "CommandTable.h"
#include "EntryTableModel.h"
#include "FileDocument.h"
#include "LangText.h"
#include "MainWindow.h"
#include "UiTestSupport.h"
#include "UiText.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace pelmora;
using namespace pelmora::ui;

class EditCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(testing::useShippedLanguage()); }

    void optionsSwitchToGermanRecaptionsMenusAndHeadersAtOnce() {
        velmet::Settings settings;
        settings.defaultExtension = u"*"; // nothing to register
        MainWindow window(settings);
        auto& document = window.addDocument(model::FileDocument::createNew(u"t", {}));
        window.selectCategory(*document.category(model::kBookAdn));
        const QString englishMenu = window.menuBar()->actions().at(0)->text();
        const QString englishHeader =
            window.listModel()->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString();

        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            dialog->findChild<QComboBox*>("1151")->setCurrentText(QStringLiteral("Deutsch"));
            dialog->findChild<QPushButton*>("1")->click();
        });
        window.action(kCmdOptions)->trigger();

        QCOMPARE(settings.languageSection, std::u16string(u"de"));
        const QString germanMenu = window.menuBar()->actions().at(0)->text();
        QVERIFY(germanMenu != englishMenu);
        QCOMPARE(germanMenu, ui::text(173));
        QCOMPARE(window.listModel()->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(),
                 ui::text(3));
        QVERIFY(ui::text(3) != englishHeader);
        velmet::useLanguageSection(u"en");
    }
};

QTEST_MAIN(EditCommandsTest)
#include "EditCommandsTest.moc"
