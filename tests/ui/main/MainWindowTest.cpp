#include "MainWindow.h"
#include "Category.h"
#include "CommandTable.h"
#include "EntryTableModel.h"
#include "FileDocument.h"
#include "Prompts.h"
#include "Records.h"
#include "UiTestSupport.h"
#include "UiText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QTableView>
#include <QtTest>

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
        QAction* paste = window.action(kCmdPaste);
        QApplication::clipboard()->clear();
        QVERIFY(!paste->isEnabled());
        QApplication::clipboard()->setText(QStringLiteral("Ann,123"));
        QVERIFY(paste->isEnabled());
        QApplication::clipboard()->clear();
        QVERIFY(!paste->isEnabled());
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

    void aSecondNewDocumentCountsOn() {
        MainWindow window(m_settings);
        window.action(kCmdNew)->trigger();
        window.action(kCmdNew)->trigger();
        QCOMPARE(window.documents().size(), size_t(2));
        const auto& second = static_cast<const model::FileDocument&>(*window.documents()[1]);
        QCOMPARE(QString::fromStdU16String(second.name()), text(142) + QStringLiteral("2"));
    }

    void aboutWithoutTheSupportLibraryKeepsRunning() {
        MainWindow window(m_settings);
        window.show();
        ScriptedPrompts script;
        window.action(kCmdAbout)->trigger();
        QCOMPARE(script.shown().size(), size_t(1));
        QCOMPARE(script.shown()[0].text, text(80, std::u16string(u"libqulvio.so")));
        QVERIFY(window.isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
