// The window's card work over the virtual SIM in this process: the session's
// card roots in the tree, Read and Write SIM under the progress dialog, and
// the reader refresh.

#include "AdditionalValues.h"
#include "BookKind.h"
#include "CommandTable.h"
#include "EditorSession.h"
#include "EntryTableModel.h"
#include "MainWindow.h"
#include "ModalScript.h"
#include "Prompts.h"
#include "ReaderSituation.h"
#include "Records.h"
#include "UiTestSupport.h"
#include "UiText.h"
#include "VirtualCard.h"
#include "WindowCardCommands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

using namespace pelmora;
using namespace pelmora::ui;
using namespace pelmora::ui::testing;

namespace {

// PIN1 given when the dialog is the PIN dialog.
void givePin1(QWidget& d) {
    if (d.objectName() == QStringLiteral("102")) {
        type(d, "1064", QStringLiteral("1234"));
        click(d, "1");
    }
}

// A session over the virtual SIM with the window bound to it.
struct Bench {
    explicit Bench(const std::string& cardName = "demo") : card({}, cardName) {
        velmet::SettingsPlaces places;
        places.settingsFile = std::filesystem::path(temp.filePath("Velmet.ini").toStdString());
        session = std::make_unique<model::EditorSession>(places);
        (void)useShippedLanguage();
        bound = card.ready() && VirtualCard::bindPlugin(session->binding());
        window = std::make_unique<MainWindow>(session->settings());
        commands = std::make_unique<WindowCardCommands>(session->plugin(), session->settings(),
                                                        window.get());
        window->bindSession(*session, *commands);
        session->refreshReadersNow();
    }
    [[nodiscard]] model::CardDocument* root() const {
        return session->cardDocument(card.card.reader);
    }
    void selectRoot() const {
        for (int row = 0; row < window->tree()->model()->rowCount(); ++row) {
            const QModelIndex index = window->tree()->model()->index(row, 0);
            if (index.data().toString() == QString::fromStdU16String(card.card.reader))
                window->tree()->setCurrentIndex(index);
        }
    }
    // Read SIM on the selected document, giving PIN1 when it is asked.
    void read() const {
        ModalScript script;
        script.then(givePin1); // the progress dialog, left to close itself
        script.then(givePin1); // PIN1 over it, when the card asks
        window->action(kCmdReadSim)->trigger();
    }
    [[nodiscard]] std::vector<const model::Category*> books() const {
        std::vector<const model::Category*> shown;
        for (const auto& book : root()->categories())
            shown.push_back(book.get());
        return shown;
    }
    [[nodiscard]] bool progressShown() const {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("7110") && w->isVisible())
                return true;
        return false;
    }

    QTemporaryDir temp;
    VirtualCard card;
    std::unique_ptr<model::EditorSession> session;
    bool bound = false;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<WindowCardCommands> commands;
};

// A step for any dialog: PIN1 or PIN2 given, the title of each PIN dialog
// kept in asked; the progress dialog is left to close itself.
ModalScript::Step givePins(QStringList& asked) {
    return [&asked](QWidget& d) {
        if (d.objectName() != QStringLiteral("102"))
            return;
        asked << d.windowTitle();
        type(d, "1064",
             d.windowTitle() == text(62) ? QStringLiteral("5678") : QStringLiteral("1234"));
        click(d, "1");
    };
}

constexpr int kCardFaultAdvice = 1257;

// A card that answers reset offering only T=1, and nothing else.
size_t muteCard(void*, const uint8_t*, size_t, uint8_t*, size_t) {
    return 0;
}
constexpr uint8_t kOnlyT1Atr[] = {0x3B, 0x80, 0x01, 0x81};

// Brings the virtual SIM into a situation a user meets.
bool play(const QString& situation, Bench& bench, model::CardDocument& otherProgram) {
    const VirtualSimControls& sim = VirtualCard::sim();
    if (situation == QLatin1String("no service")) {
        sim.setServiceRunning(0);
    } else if (situation == QLatin1String("no reader")) {
        return sim.removeReader(0) == 0;
    } else if (situation == QLatin1String("empty reader")) {
        return sim.removeCard(0) == 0;
    } else if (situation == QLatin1String("held")) {
        return bench.card.calls.connect(otherProgram, bench.card.card.reader) != 0;
    } else if (situation == QLatin1String("only T=1")) {
        const VirtualSimCustomCard card{kOnlyT1Atr, sizeof kOnlyT1Atr, muteCard, nullptr, nullptr};
        return sim.removeCard(0) == 0 && sim.insertCustomCard(0, &card) == 0;
    } else if (situation == QLatin1String("status 6F00")) {
        return sim.addFault("A0F2=6F00") == 0;
    } else if (situation == QLatin1String("pulled")) {
        bench.selectRoot();
        bench.read();
        return sim.pullCard(0) == 0;
    }
    return true;
}

} // namespace

class CardWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(useShippedLanguage()); }
    // The next test's card goes into reader 0.
    void cleanup() {
        VirtualCard::sim().clearFaults();
        if (VirtualCard::sim().readerCount() == 0)
            QVERIFY(VirtualCard::sim().addReader(nullptr) >= 0);
    }

    void eachReaderSituationIsExplained_data() {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<int>("advice");
        QTest::newRow("card ready") << QStringLiteral("ready") << 1212;
        QTest::newRow("no reader") << QStringLiteral("no reader") << 1216;
        QTest::newRow("empty reader") << QStringLiteral("empty reader") << 1217;
        QTest::newRow("held by another program") << QStringLiteral("held") << 1220;
        QTest::newRow("only T=1") << QStringLiteral("only T=1") << 1219;
        QTest::newRow("STATUS answered 6F00") << QStringLiteral("status 6F00") << kCardFaultAdvice;
        QTest::newRow("pulled mid-command") << QStringLiteral("pulled") << 1221;
    }

    void eachReaderSituationIsExplained() {
        QFETCH(QString, situation);
        QFETCH(int, advice);
        explain(situation, advice);
    }

    void readFillsTheListWhileTheWindowStaysResponsive() {
        Bench bench;
        QVERIFY(bench.bound);
        QVERIFY(bench.root() != nullptr);
        bench.selectRoot();
        QCOMPARE(VirtualCard::sim().setLatency(0, 5), 0);
        int ticks = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(20);
        ScriptedPrompts prompts;
        bench.read();
        timer.stop();
        QVERIFY(!bench.root()->categories().empty());
        QVERIFY(bench.window->selectedCategory() != nullptr);
        QVERIFY(bench.window->listModel()->rowCount() > 0);
        QVERIFY(!bench.progressShown());
        QVERIFY(prompts.shown().empty());
        QVERIFY2(ticks > 10, qPrintable(QString::number(ticks)));
    }

    void usimBookShowsItsValuesInThePanelAndAppliesThemAsOneStep() {
        Bench bench("usim-type1");
        QVERIFY(bench.bound);
        bench.window->show();
        bench.selectRoot();
        bench.read();
        model::Category* usim = bench.root()->category(model::kBookUsim);
        QVERIFY(usim != nullptr);
        bench.window->selectCategory(*usim);
        bench.window->list()->selectRow(0);
        auto* panel = bench.window->findChild<QGroupBox*>(QStringLiteral("1349"));
        QVERIFY(panel->isVisible());
        QVERIFY(!bench.window->findChild<QGroupBox*>(QStringLiteral("1004"))->isVisible());
        QCOMPARE(panel->title(), text(21, std::u16string(u"Alice Morgan")));
        QCOMPARE(bench.window->listModel()->columnCount(), 3);
        // The sixth row is the first e-mail address.
        QCOMPARE(model::additionalValues(model::kBookUsim)[5].value, int(kValueEmail));
        auto* email = bench.window->findChild<QLineEdit*>(QStringLiteral("1356"));
        auto* apply = bench.window->findChild<QPushButton*>(QStringLiteral("1350"));
        QCOMPARE(email->text(), QStringLiteral("alice@example.com"));
        QVERIFY(!apply->isEnabled());
        QVERIFY(usim->unchanged());
        // The card has one EMAIL and one ANR file: no row for a second address or a third number.
        QVERIFY(bench.window->findChild<QLineEdit*>(QStringLiteral("1351"))->isVisible());
        QVERIFY(!bench.window->findChild<QLineEdit*>(QStringLiteral("1352"))->isVisible());
        QVERIFY(!bench.window->findChild<QLineEdit*>(QStringLiteral("1357"))->isVisible());

        email->setFocus();
        email->end(false);
        QTest::keyClicks(email, ".uk");
        QVERIFY(apply->isEnabled());
        QTest::mouseClick(apply, Qt::LeftButton);
        QCOMPARE(model::entryValue(*usim->entry(0), kValueEmail), u"alice@example.com.uk");
        QCOMPARE(model::fieldText(usim->entry(0)->name), u"Alice Morgan");
        QVERIFY(!usim->unchanged());
        QVERIFY(!apply->isEnabled());

        bench.window->action(kCmdUndo)->trigger();
        QCOMPARE(model::entryValue(*usim->entry(0), kValueEmail), u"alice@example.com");
        QCOMPARE(email->text(), QStringLiteral("alice@example.com"));
    }

    void aCardPulledMidReadIsReportedAndLeavesTheBooks() {
        Bench bench;
        QVERIFY(bench.bound);
        bench.selectRoot();
        bench.read();
        const std::vector<const model::Category*> before = bench.books();
        QVERIFY(!before.empty());
        QCOMPARE(VirtualCard::sim().addFault("*#20=pull"), 0);
        ScriptedPrompts prompts;
        bench.read();
        QCOMPARE(prompts.shown().size(), size_t(1));
        QCOMPARE(prompts.shown()[0].icon, QMessageBox::Warning);
        QVERIFY(bench.books() == before);
    }

    void cancelDuringAReadLeavesTheBooksAsTheyWere() {
        Bench bench;
        QVERIFY(bench.bound);
        bench.selectRoot();
        bench.read();
        const std::vector<const model::Category*> before = bench.books();
        QCOMPARE(VirtualCard::sim().setLatency(0, 20), 0);
        ScriptedPrompts prompts;
        ModalScript script;
        script.then([](QWidget& d) {
            QCOMPARE(d.objectName(), QStringLiteral("7110"));
            click(d, "6105");
        });
        bench.window->action(kCmdReadSim)->trigger();
        QVERIFY(script.finished());
        QVERIFY(bench.books() == before);
        QCOMPARE(prompts.shown().size(), size_t(1));
        QCOMPARE(prompts.shown()[0].text, text(950));
    }

    // Opening another card frees the old card's books while the command
    // still runs: the list and the tree let go of them at once.
    void booksFreedWhileACommandRunsAreShownNoMore() {
        Bench bench;
        QVERIFY(bench.bound);
        bench.selectRoot();
        bench.read();
        QVERIFY(bench.window->listModel()->rowCount() > 0);
        const QModelIndex root = bench.window->tree()->currentIndex().parent();
        bench.root()->releaseCategories();
        QCOMPARE(bench.window->listModel()->rowCount(), 0);
        QCOMPARE(bench.window->tree()->model()->rowCount(root), 0);
        bench.window->grab(); // paints what is left
    }

    void aPulledCardEmptiesItsRootWithinTwoSeconds() {
        Bench bench;
        QVERIFY(bench.bound);
        bench.selectRoot();
        bench.read();
        const QModelIndex root = bench.window->tree()->currentIndex().parent();
        QVERIFY(bench.window->tree()->model()->rowCount(root) > 0);
        QCOMPARE(VirtualCard::sim().removeCard(0), 0);
        QTRY_VERIFY_WITH_TIMEOUT(bench.root() != nullptr && bench.root()->categories().empty(),
                                 2000);
        QCOMPARE(
            bench.window->tree()->model()->rowCount(bench.window->tree()->model()->index(0, 0)), 0);
        QCOMPARE(bench.window->listModel()->rowCount(), 0);
    }

    void writeSimTakesAnEditedEntryToTheCard() {
        Bench bench;
        QVERIFY(bench.bound);
        bench.selectRoot();
        bench.read();
        model::Category* adn = bench.window->selectedCategory();
        QVERIFY(adn != nullptr);
        QCOMPARE(adn->kind(), model::kBookAdn);
        EntryTableModel& list = *bench.window->listModel();
        QVERIFY(list.setData(list.index(0, 1), QStringLiteral("Edited"), Qt::EditRole));
        ScriptedPrompts prompts;
        bench.window->action(kCmdWriteSim)->trigger();
        QVERIFY(prompts.shown().empty());
        QVERIFY(bench.card.traced("A0DC"));
        // Read back: the card holds the new name.
        bench.read();
        QCOMPARE(bench.window->listModel()->index(0, 1).data().toString(),
                 QStringLiteral("Edited"));
    }

    void aRefusedUpdateIsOneWarningNamingTheBookAndTheCardsAnswer() {
        Bench bench;
        QVERIFY(bench.bound);
        bench.selectRoot();
        bench.read();
        EntryTableModel& list = *bench.window->listModel();
        QVERIFY(list.setData(list.index(0, 1), QStringLiteral("Edited"), Qt::EditRole));
        QCOMPARE(VirtualCard::sim().addFault("A0DC#1=9240"), 0);
        ScriptedPrompts prompts;
        bench.window->action(kCmdWriteSim)->trigger();
        QCOMPARE(prompts.shown().size(), size_t(1));
        QCOMPARE(prompts.shown()[0].icon, QMessageBox::Warning);
        const QString adn = QString::fromStdU16String(model::bookCaption(model::kBookAdn));
        QVERIFY(prompts.shown()[0].text.startsWith(text(709, adn.toStdU16String())));
        // The card's answer in words: memory problem.
        QVERIFY2(prompts.shown()[0].text.contains(text(983)), qPrintable(prompts.shown()[0].text));
    }

    void changePin2AsksInTheWindowsDialogsAndTheCardTakesTheNewPin() {
        Bench bench;
        QVERIFY(bench.bound);
        bench.selectRoot();
        QStringList asked;
        ModalScript script;
        script.then(givePins(asked));
        script.then(givePins(asked));
        script.then([](QWidget& d) {
            QCOMPARE(d.objectName(), QStringLiteral("106"));
            type(d, "1064", QStringLiteral("4321"));
            type(d, "1079", QStringLiteral("4321"));
            click(d, "1");
        });
        bench.window->action(kCmdChangePin2)->trigger();
        QVERIFY(script.finished());
        QCOMPARE(asked.size(), 2);
        QCOMPARE(asked.back(), text(62));
        QVERIFY(bench.root()->pin2().view() == u"4321");
        QVERIFY(bench.session->plugin().verifyPin(*bench.root(), 2, u"4321") != 0);
    }

    void restoreSimPutsTheBackupBackAskingPin2Once() {
        Bench bench;
        QVERIFY(bench.bound);
        bench.selectRoot();
        bench.read();
        const QString file = bench.temp.filePath(QStringLiteral("card.bsf"));
        ScriptedPrompts prompts;
        prompts.chooseFile(file);
        bench.window->action(kCmdBackupSim)->trigger();
        EntryTableModel& list = *bench.window->listModel();
        const QString original = list.index(0, 1).data().toString();
        QVERIFY(list.setData(list.index(0, 1), QStringLiteral("Edited"), Qt::EditRole));
        bench.window->action(kCmdWriteSim)->trigger();
        QVERIFY(prompts.shown().empty());

        prompts.chooseFile(file);
        QStringList asked;
        ModalScript script;
        for (int i = 0; i < 3; ++i)
            script.then(givePins(asked));
        bench.window->action(kCmdRestoreSim)->trigger();
        QVERIFY(prompts.shown().empty());
        // The backup holds the FDN and BDN books: PIN2 once for both.
        QCOMPARE(asked, QStringList{text(62)});
        bench.read();
        QCOMPARE(bench.window->listModel()->index(0, 1).data().toString(), original);
    }

    void cancelDuringAWriteSaysWhatTheCardTookAndLeavesTheBookChanged() {
        Bench bench;
        QVERIFY(bench.bound);
        bench.selectRoot();
        bench.read();
        model::Category* adn = bench.window->selectedCategory();
        EntryTableModel& list = *bench.window->listModel();
        QVERIFY(list.setData(list.index(0, 1), QStringLiteral("Edited"), Qt::EditRole));
        QCOMPARE(VirtualCard::sim().setLatency(0, 20), 0);
        ScriptedPrompts prompts;
        ModalScript script;
        script.then([&bench](QWidget& d) {
            QCOMPARE(d.objectName(), QStringLiteral("7110"));
            // At 20 ms an answer, the write selects and checks the card's
            // books (some 280 commands) before its first update.
            QTRY_VERIFY_WITH_TIMEOUT(bench.card.traced("A0DC"), 20000);
            click(d, "6105");
        });
        bench.window->action(kCmdWriteSim)->trigger();
        QVERIFY(script.finished());
        QCOMPARE(prompts.shown().size(), size_t(1));
        const QString message = prompts.shown()[0].text;
        int took = -1;
        for (int n = 1; n <= int(adn->slotCount()) && took < 0; ++n)
            took = message.startsWith(text(951, n)) ? n : -1;
        QVERIFY2(took > 0, qPrintable(message));
        QVERIFY(!adn->unchanged());
    }

    void backupSimWritesTheChosenFileWithoutAMessage() {
        Bench bench;
        QVERIFY(bench.bound);
        bench.selectRoot();
        const QString file = bench.temp.filePath(QStringLiteral("card.bsf"));
        ScriptedPrompts prompts;
        prompts.chooseFile(file);
        ModalScript script;
        script.then(givePin1);
        script.then(givePin1);
        bench.window->action(kCmdBackupSim)->trigger();
        QVERIFY(QFileInfo(file).size() > 0);
        QVERIFY(prompts.shown().empty());
    }

    // Last: it stops the service; the readers come back once it runs again.
    void aStoppedServiceIsExplainedLast() {
        explain(QStringLiteral("no service"), 1215);
        VirtualCard::sim().setServiceRunning(1);
        Bench bench;
        bench.session->refreshReadersNow();
        QVERIFY(bench.root() != nullptr);
        QVERIFY(bench.root()->cardPresent);
    }

private:
    static void explain(const QString& situation, int advice) {
        Bench bench;
        QVERIFY(bench.bound);
        model::CardDocument otherProgram;
        QVERIFY(play(situation, bench, otherProgram));
        bench.session->refreshReadersNow();

        // The list area: the list while a reader works, else what to do.
        auto* area = bench.window->findChild<QLabel*>(QStringLiteral("readerAdvice"));
        QVERIFY(area != nullptr);
        const auto* stack = qobject_cast<QStackedWidget*>(area->parentWidget());
        QCOMPARE(stack->currentWidget() == area, advice != 1212);
        // The card's answer fills in the card-fault advice.
        const QString expected =
            advice == kCardFaultAdvice
                ? QString::fromStdU16String(model::situationAdvice(
                      model::ReaderSituation::CardFault, kSimErrorTechnicalProblem))
                : text(advice);
        QCOMPARE(area->text(), expected);

        bench.window->action(kCmdReaders)->trigger();
        auto* dialog = bench.window->findChild<QDialog*>(QStringLiteral("1234"));
        QVERIFY(dialog != nullptr && dialog->isVisible());
        QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("readerAdvice"))->text(), expected);
        const auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("readerList"));
        QCOMPARE(list->topLevelItemCount(), int(bench.session->cardDocuments().size()));
        click(*dialog, "1235");
        const QString report = QApplication::clipboard()->text();
        QVERIFY(report.startsWith(text(1228)));
        QVERIFY(!report.contains(QStringLiteral("1234"))); // PIN1 of the pulled card
        if (situation == QLatin1String("ready")) {
            QCOMPARE(list->topLevelItem(0)->text(2), QStringLiteral("3B1A115649525455414C53494D"));
            QVERIFY(report.contains(QStringLiteral("ATR: 3B1A115649525455414C53494D")));
        }
        bench.card.calls.close(otherProgram);
        dialog->close();
    }
};

QTEST_MAIN(CardWindowTest)
#include "CardWindowTest.moc"
