#include "MainWindow.h"
#include "Category.h"
#include "CommandTable.h"
#include "EntryTableModel.h"
#include "FileDocument.h"
#include "LanguageFile.h"
#include "Prompts.h"
#include "Records.h"
#include "UiTestSupport.h"
#include "UiText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSet>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTableView>
#include <QToolBar>
#include <QTreeView>
#include <QtTest>

#include <cstdlib>

using namespace pelmora;
using namespace pelmora::ui;

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    velmet::Settings m_settings;

    // A new document whose ADN book holds the names, one per slot from 0.
    static model::Category& bookWithNames(MainWindow& window,
                                          std::initializer_list<const char16_t*> names) {
        auto& document = window.addDocument(model::FileDocument::createNew(u"t", {}));
        model::Category& book = *document.category(model::kBookAdn);
        int slot = 0;
        for (const char16_t* name : names) {
            if (*name != u'\0')
                model::setFieldText(book.entry(slot)->name, name);
            ++slot;
        }
        window.selectCategory(book);
        return book;
    }

    static QString cell(MainWindow& window, int row, int column) {
        return window.listModel()->index(row, column).data().toString();
    }

    static QPoint cellCentre(MainWindow& window, int row, int column) {
        return window.list()->visualRect(window.listModel()->index(row, column)).center();
    }

private slots:
    void initTestCase() { QVERIFY(testing::useShippedLanguage()); }
    void init() { m_settings = velmet::Settings{}; }

    void savedPlacementMovesOrCentres_data() {
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("bottom");
        QTest::addColumn<bool>("moved");
        QTest::newRow("valid rectangle") << 900 << 700 << true;
        QTest::newRow("right zero") << 0 << 700 << false;
        QTest::newRow("bottom negative") << 900 << -5 << false;
    }
    void savedPlacementMovesOrCentres() {
        QFETCH(int, right);
        QFETCH(int, bottom);
        QFETCH(bool, moved);
        m_settings.window(velmet::WindowKey::Main) = {40, 30, right, bottom};
        MainWindow window(m_settings);
        const QSize templateSize = window.size();
        if (moved) {
            QCOMPARE(window.pos(), QPoint(40, 30));
        } else {
            const QPoint centre = QApplication::primaryScreen()->availableGeometry().center();
            QVERIFY((window.frameGeometry().center() - centre).manhattanLength() <= 2);
        }
        QCOMPARE(window.size(), templateSize);
    }

    void everyWayOutAsksOnceAboutUnsavedChanges_data() {
        QTest::addColumn<int>("way"); // 0 close box, 1 Exit, 2 Esc
        QTest::newRow("close box") << 0;
        QTest::newRow("Exit") << 1;
        QTest::newRow("Esc") << 2;
    }
    void everyWayOutAsksOnceAboutUnsavedChanges() {
        QFETCH(int, way);
        MainWindow window(m_settings);
        window.show();
        model::Category& adn = bookWithNames(window, {u"A"});
        adn.markChanged();
        window.documents().front()->category(model::kBookSms)->markChanged();
        const auto leave = [&] {
            if (way == 0)
                window.close();
            else if (way == 1)
                window.action(kCmdExit)->trigger();
            else
                QTest::keyClick(&window, Qt::Key_Escape);
        };
        ScriptedPrompts script;
        script.answer(QMessageBox::Yes); // keep the program open
        leave();
        QVERIFY(window.isVisible());
        QCOMPARE(script.shown().size(), size_t(1));
        QCOMPARE(script.shown()[0].text, text(226));
        script.answer(QMessageBox::No);
        leave();
        QVERIFY(!window.isVisible());
        QCOMPARE(script.shown().size(), size_t(2));
    }

    void pasteFollowsTheClipboard() {
        MainWindow window(m_settings);
        window.show();
        bookWithNames(window, {u"A"});
        QAction* paste = window.action(kCmdPaste);
        auto* toolbar = window.findChild<QToolBar*>(QStringLiteral("mainToolbar"));
        QApplication::clipboard()->clear();
        QVERIFY(!paste->isEnabled());
        QVERIFY(!toolbar->widgetForAction(paste)->isEnabled());
        bool shownDisabled = false;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu != nullptr);
            QVERIFY(menu->actions().contains(paste));
            shownDisabled = !paste->isEnabled();
            menu->close();
        });
        emit window.list()->customContextMenuRequested(QPoint(10, 10));
        QVERIFY(shownDisabled);
        QApplication::clipboard()->setText(QStringLiteral("Ann,123"));
        QVERIFY(paste->isEnabled());
        QVERIFY(toolbar->widgetForAction(paste)->isEnabled());
    }

    void slotAndDateCellsAreNotEditable() {
        MainWindow window(m_settings);
        bookWithNames(window, {u"A"});
        const EntryTableModel& list = *window.listModel();
        QVERIFY(!(list.flags(list.index(0, 0)) & Qt::ItemIsEditable));
        QVERIFY(list.flags(list.index(0, 1)) & Qt::ItemIsEditable);
        window.selectCategory(*window.documents().front()->category(model::kBookSms));
        QCOMPARE(list.columnCount(), 5);
        QVERIFY(!(list.flags(list.index(0, 3)) & Qt::ItemIsEditable));
        QVERIFY(list.flags(list.index(0, 4)) & Qt::ItemIsEditable);
    }

    void escapeLeavesTheCellAndEnterStoresOneUndoStep() {
        MainWindow window(m_settings);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        model::Category& book = bookWithNames(window, {u"Ann"});
        QApplication::processEvents();
        const auto edit = [&](const char* typed, Qt::Key end) {
            const QPoint at = cellCentre(window, 0, 1);
            QTest::mouseClick(window.list()->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(window.list()->viewport(), Qt::LeftButton, {}, at);
            // A closed editor lingers until deleted later.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            auto* editor = window.list()->findChild<QLineEdit*>(QStringLiteral("1003"));
            QVERIFY(editor != nullptr);
            editor->selectAll();
            QTest::keyClicks(editor, typed);
            QTest::keyClick(editor, end);
        };
        edit("Bob", Qt::Key_Escape);
        QCOMPARE(cell(window, 0, 1), QStringLiteral("Ann"));
        QVERIFY(!book.canUndo());
        edit("Ann", Qt::Key_Return);
        QVERIFY(!book.canUndo());
        edit("Bob", Qt::Key_Return);
        QCOMPARE(cell(window, 0, 1), QStringLiteral("Bob"));
        QCOMPARE(book.undoStack().size(), size_t(1));
        QVERIFY(window.action(kCmdUndo)->isEnabled());
    }

    void headerClicksSortAscendingThenDescendingAroundEmptySlots() {
        MainWindow window(m_settings);
        window.show();
        bookWithNames(window, {u"Cy", u"", u"Al", u"Bo"});
        const auto names = [&] {
            QStringList shown;
            for (int row = 0; row < 4; ++row)
                shown << cell(window, row, 1);
            return shown.join(QLatin1Char(','));
        };
        QHeaderView* header = window.list()->horizontalHeader();
        const QPoint nameHeader(header->sectionViewportPosition(1) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, nameHeader);
        QCOMPARE(names(), QStringLiteral("Al,,Bo,Cy"));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, nameHeader);
        QCOMPARE(names(), QStringLiteral("Cy,,Bo,Al"));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, nameHeader);
        QCOMPARE(names(), QStringLiteral("Al,,Bo,Cy"));
    }

    void copyPasteDeleteAndUndoOnTheSelectedRows() {
        MainWindow window(m_settings);
        window.show();
        model::Category& book = bookWithNames(window, {u"Ann", u"Bob"});
        window.list()->selectRow(1);
        window.action(kCmdCopy)->trigger();
        QVERIFY(QApplication::clipboard()->text().contains(QStringLiteral("Bob")));
        window.list()->selectRow(0);
        window.action(kCmdDelete)->trigger();
        QCOMPARE(cell(window, 0, 1), QStringLiteral("Bob"));
        QVERIFY(window.action(kCmdUndo)->isEnabled());
        QVERIFY(!window.action(kCmdRedo)->isEnabled());
        window.action(kCmdPaste)->trigger();
        QCOMPARE(cell(window, 1, 1), QStringLiteral("Bob"));
        window.action(kCmdUndo)->trigger();
        window.action(kCmdUndo)->trigger();
        QCOMPARE(cell(window, 0, 1), QStringLiteral("Ann"));
        QCOMPARE(cell(window, 1, 1), QStringLiteral("Bob"));
        QVERIFY(!book.canUndo());
        QVERIFY(window.action(kCmdRedo)->isEnabled());
    }

    void savedDocumentOpensAgain() {
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("book.phn"));
        MainWindow window(m_settings);
        bookWithNames(window, {u"Ann"});
        ScriptedPrompts script;
        script.chooseFile(file);
        script.chooseFile(file);
        window.action(kCmdSaveAs)->trigger();
        window.action(kCmdOpen)->trigger();
        QVERIFY(script.shown().empty());
        QCOMPARE(window.documents().size(), size_t(2));
        window.selectCategory(*window.documents()[1]->category(model::kBookAdn));
        QCOMPARE(cell(window, 0, 1), QStringLiteral("Ann"));
    }

    void aSecondNewDocumentCountsOn() {
        MainWindow window(m_settings);
        window.action(kCmdNew)->trigger();
        window.action(kCmdNew)->trigger();
        QCOMPARE(window.documents().size(), size_t(2));
        const auto& second = static_cast<const model::FileDocument&>(*window.documents()[1]);
        QCOMPARE(QString::fromStdU16String(second.name()), text(142) + QStringLiteral("2"));
    }

    void idenPanelTakesAFreeSpeedDialNumberAndAppliesOnce() {
        MainWindow window(m_settings);
        window.show();
        auto& document = window.addDocument(model::FileDocument::createNew(u"t", {}));
        model::Category& book = *document.category(model::kBookNextel);
        model::setFieldText(book.entry(0)->name, u"Ann");
        model::setEntryValue(*book.entry(0), kValueMain, u"123");
        book.entry(0)->recordNumbers[kValueMain] = 1;
        window.selectCategory(book);
        window.list()->selectRow(0);
        auto* panel = window.findChild<QGroupBox*>(QStringLiteral("1004"));
        auto* mobile = window.findChild<QLineEdit*>(QStringLiteral("1018"));
        auto* mobileBox = window.findChild<QLineEdit*>(QStringLiteral("1030"));
        auto* apply = window.findChild<QPushButton*>(QStringLiteral("1042"));
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->title(), text(21, std::u16string(u"Ann")));
        QVERIFY(!apply->isEnabled());
        mobile->setFocus();
        QTest::keyClicks(mobile, "5x6");
        QCOMPARE(mobile->text(), QStringLiteral("56"));
        QCOMPARE(mobileBox->text(), QStringLiteral("2"));
        QVERIFY(apply->isEnabled());
        QTest::mouseClick(apply, Qt::LeftButton);
        QCOMPARE(QString::fromStdU16String(
                     std::u16string(model::entryValue(*book.entry(0), kValueMobile))),
                 QStringLiteral("56"));
        QCOMPARE(book.entry(0)->recordNumbers[kValueMobile], 2);
        QCOMPARE(book.undoStack().size(), size_t(1));
        QVERIFY(!apply->isEnabled());
    }

    void germanHeadersFitTheirColumns() {
        QVERIFY(testing::useShippedLanguage(QStringLiteral("de")));
        MainWindow window(m_settings);
        window.show();
        window.addDocument(model::FileDocument::createNew(u"t", {}));
        window.selectCategory(*window.documents().front()->category(model::kBookSms));
        QCoreApplication::processEvents();
        const QHeaderView* header = window.list()->horizontalHeader();
        const QFontMetrics metrics(header->font());
        for (int column = 0; column + 1 < window.listModel()->columnCount(); ++column) {
            const QString caption =
                window.listModel()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
            QVERIFY2(window.list()->columnWidth(column) > metrics.horizontalAdvance(caption),
                     qPrintable(caption));
        }
        QVERIFY(testing::useShippedLanguage());
    }

    void menusFollowALanguageChange() {
        MainWindow window(m_settings);
        auto* fileMenu = window.findChild<QMenu*>(QStringLiteral("menu173"));
        QCOMPARE(fileMenu->title(), text(173));
        QVERIFY(testing::useShippedLanguage(QStringLiteral("de")));
        window.applyLanguage();
        const QString german = text(173);
        const QString undo = text(163) + QStringLiteral("\tCtrl+Z");
        QVERIFY(testing::useShippedLanguage());
        QCOMPARE(fileMenu->title(), german);
        QVERIFY(german != text(173));
        QCOMPARE(window.action(kCmdUndo)->text(), undo);
    }

    // A letter twice in one menu makes Alt+letter cycle instead of choose, so
    // a keyboard user lands on the wrong command.
    void everyMenuHasItsOwnAccessKeysInEveryLanguage() {
        const char* path = std::getenv("PELMORA_LANG_FILE");
        QVERIFY(path != nullptr);
        MainWindow window(m_settings);
        QList<QWidget*> menus{window.menuBar()};
        for (QMenu* menu : window.findChildren<QMenu*>())
            menus.append(menu);
        for (const velmet::LanguageChoice& language : velmet::LanguageFile::load(path).languages()) {
            QVERIFY(testing::useShippedLanguage(QString::fromStdU16String(language.section)));
            window.applyLanguage();
            for (QWidget* menu : std::as_const(menus)) {
                QSet<QKeySequence> keys;
                for (const QAction* action : menu->actions()) {
                    const QKeySequence key = QKeySequence::mnemonic(action->text());
                    if (action->isSeparator() || key.isEmpty())
                        continue;
                    QVERIFY2(!keys.contains(key), qPrintable(QString::fromStdU16String(language.section) +
                                                             QStringLiteral(": ") + action->text()));
                    keys.insert(key);
                }
            }
        }
        QVERIFY(testing::useShippedLanguage());
    }

    void theSmallestWindowGrowsWithLongerTexts() {
        MainWindow window(m_settings);
        auto* toolbar = window.findChild<QToolBar*>(QStringLiteral("mainToolbar"));
        auto* splitter = window.findChild<QSplitter*>(QStringLiteral("1157"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(testing::useShippedLanguage(QStringLiteral("de")));
        window.applyLanguage();
        const int caption = window.tree()->fontMetrics().horizontalAdvance(text(27));
        QVERIFY(testing::useShippedLanguage());
        QVERIFY(window.minimumWidth() >= toolbar->sizeHint().width());
        QVERIFY(splitter->sizes().front() > caption + 2 * window.tree()->indentation());
    }

    void aboutShowsTheVersionAndThePluginVersion_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("caption");
        QTest::newRow("en") << QStringLiteral("en") << QStringLiteral("About Pelmora");
        QTest::newRow("de") << QStringLiteral("de") << QChar(0xdc) + QStringLiteral("ber Pelmora");
    }
    void aboutShowsTheVersionAndThePluginVersion() {
        QFETCH(QString, section);
        QFETCH(QString, caption);
        m_settings.languageFile = qEnvironmentVariable("PELMORA_LANG_FILE").toStdString();
        m_settings.languageSection = section.toStdU16String();
        MainWindow window(m_settings);
        window.setSupportLibrary(QULVIO_PATH);
        window.show();
        ScriptedPrompts script;
        QString title, version, pluginVersion;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box != nullptr);
            title = box->windowTitle();
            version = box->findChild<QLabel*>("version")->text();
            pluginVersion = box->findChild<QLabel*>("pluginVersion")->text();
            box->findChild<QPushButton*>("close")->click();
        });
        window.action(kCmdAbout)->trigger();
        QVERIFY(script.shown().empty());
        QCOMPARE(title, caption);
        QVERIFY(version.endsWith(QStringLiteral(" " PELMORA_VERSION)));
        QVERIFY(pluginVersion.endsWith(QStringLiteral(" " PELMORA_VERSION)));
        QVERIFY(pluginVersion != version);
        QVERIFY(window.isVisible());
    }

    void aboutWithoutTheSupportLibraryKeepsRunning() {
        MainWindow window(m_settings);
        window.setSupportLibrary("/nonexistent/libqulvio-missing.so");
        window.show();
        ScriptedPrompts script;
        window.action(kCmdAbout)->trigger();
        QCOMPARE(script.shown().size(), size_t(1));
        QCOMPARE(script.shown()[0].text, text(80, std::u16string(u"libqulvio-missing.so")));
        QVERIFY(window.isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
