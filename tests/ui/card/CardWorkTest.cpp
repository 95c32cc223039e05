#include "BookKind.h"
#include "CardAnswerText.h"
#include "CardCommandTexts.h"
#include "CardJob.h"
#include "CommandTable.h"
#include "MainWindow.h"
#include "ModalScript.h"
#include "ProgressDialog.h"
#include "ProgressRelay.h"
#include "Prompts.h"
#include "PropertiesCommand.h"
#include "QueuedUiThread.h"
#include "ReaderChoiceDialog.h"
#include "UiTestSupport.h"
#include "UiText.h"
#include "VirtualCard.h"
#include "WindowCardCommands.h"
#include "WindowCardHost.h"
#include "WindowPinPrompter.h"
#include "WriteFailureText.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

#include <chrono>
#include <thread>

using namespace pelmora;
using namespace pelmora::ui;
using namespace pelmora::ui::testing;

namespace {

QString field(QWidget& dialog, const char* name) {
    return dialog.findChild<QLabel*>(QLatin1String(name))->text();
}

// The window's side of the card commands, over the virtual card.
struct Window {
    explicit Window(VirtualCard& card)
        : operations(card.calls, prompter, host, {}), commands(operations, card.calls, uiThread) {}
    velmet::Settings settings;
    WindowPinPrompter prompter{nullptr, settings};
    WindowCardHost host{nullptr, settings};
    model::CardOperations operations;
    QObject context;
    QueuedUiThread uiThread{context};
    model::CardCommands commands;
};

void givePin1(ModalScript& script) {
    script.then([](QWidget& d) {
        type(d, "1064", QStringLiteral("1234"));
        click(d, "1");
    });
}

} // namespace

class CardWorkTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(useShippedLanguage()); }

    void cardPropertiesShowTheDemoCardAndSaveInfoAppendsALinePerPress() {
        VirtualCard card;
        QVERIFY(card.ready());
        Window window(card);
        const QString operators = card.path(QStringLiteral("plmn.ini"));
        QFile list(operators);
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("[PLMN1]\nmcc=234\nmnc=15\ncountry=United Kingdom\noperator=Vodafone\n"
                   "network_type=GSM\n");
        list.close();
        window.settings.operatorList = operators.toStdU16String();
        const QString csv = card.path(QStringLiteral("cards.csv"));
        ScriptedPrompts files;
        files.chooseFile(csv);
        files.chooseFile(csv);
        ModalScript script;
        givePin1(script);
        script.then([&](QWidget& d) {
            QCOMPARE(d.objectName(), QStringLiteral("108"));
            for (const char* name : {"1100", "1106"}) {
                QVERIFY(!field(d, name).isEmpty());
                QVERIFY(field(d, name) != text(108));
            }
            QCOMPARE(field(d, "1109"), QStringLiteral("Demo Mobile"));
            QCOMPARE(field(d, "1108"), text(107) + QStringLiteral(" 2"));
            QCOMPARE(field(d, "1111"), QStringLiteral("Vodafone United Kingdom GSM"));
            click(d, "1159");
            click(d, "1159");
            click(d, "1");
        });
        PropertiesCommand command(window.commands, window.settings, nullptr);
        QVERIFY(command.show(card.card, -1));
        QVERIFY(script.finished());
        QFile saved(csv);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll().count("\r\n"), 2);
    }

    void propertiesOfTheSelectedCardFromTheWindowsCommand() {
        VirtualCard card;
        QVERIFY(card.ready());
        velmet::Settings settings;
        MainWindow window(settings);
        WindowCardCommands commands(card.calls, settings, &window);
        window.setCardCommands(&commands);
        auto document = std::make_unique<model::CardDocument>();
        document->reader = card.card.reader;
        auto& added = static_cast<model::CardDocument&>(window.addDocument(std::move(document)));
        window.tree()->setCurrentIndex(window.tree()->model()->index(0, 0));
        ModalScript script;
        givePin1(script);
        script.then([&](QWidget& d) {
            QCOMPARE(d.objectName(), QStringLiteral("108"));
            QCOMPARE(field(d, "1109"), QStringLiteral("Demo Mobile"));
            click(d, "1");
        });
        window.action(kCmdProperties)->trigger();
        // A window without a session leaves its cards to whoever connected them.
        card.calls.close(added);
        QVERIFY(script.finished());
        QCOMPARE(script.unexpected(), 0);
    }

    void bookPropertiesOfSdnShowUpdateByTheAdministrator() {
        VirtualCard card;
        QVERIFY(card.ready());
        Window window(card);
        ModalScript script;
        givePin1(script);
        script.then([&](QWidget& d) {
            QCOMPARE(d.objectName(), QStringLiteral("109"));
            QCOMPARE(field(d, "1117"), QStringLiteral("6f49"));
            QCOMPARE(field(d, "1124"), text(111));
            click(d, "1");
        });
        PropertiesCommand command(window.commands, window.settings, nullptr);
        QVERIFY(command.show(card.card, model::kBookSdn));
        QVERIFY(script.finished());
    }

    void readerChoiceOffersTheReadersFirstOneSelected() {
        velmet::Settings settings;
        ModalScript script;
        script.then([](QWidget& d) {
            auto* list = d.findChild<QTreeWidget*>(QStringLiteral("1153"));
            QCOMPARE(list->topLevelItemCount(), 2);
            QCOMPARE(list->currentItem(), list->topLevelItem(0));
            list->setCurrentItem(list->topLevelItem(1));
            click(d, "1");
        });
        QCOMPARE(
            ReaderChoiceDialog::choose({QStringLiteral("Reader 0"), QStringLiteral("Reader 1")}, {},
                                       settings, nullptr),
            1);
        QCOMPARE(ReaderChoiceDialog::choose({}, {}, settings, nullptr), -1);
        QCOMPARE(script.seen().size(), 1);
        QVERIFY(settings.window(velmet::WindowKey::SelectReaders).right > 0);
    }

    void readFillsTheBookWhileTheWindowStaysResponsiveAndTheDialogClosesItself() {
        VirtualCard card;
        QVERIFY(card.ready());
        QVERIFY(card.calls.connect(card.card, card.card.reader) != 0);
        QVERIFY(card.calls.verifyPin(card.card, 1, u"1234") != 0);
        QCOMPARE(VirtualCard::sim().setLatency(0, 20), 0);
        model::Category fdn(model::kBookFdn, 0);
        model::CardJob job;
        job.card = &card.card;
        job.category = &fdn;
        int ticks = 0;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(10);
        runWithProgress({}, nullptr, [&](ProgressRelay& relay) {
            job.progress = &relay;
            model::CardJobRunner(card.calls).work(job);
        });
        timer.stop();
        QVERIFY(job.succeeded);
        QVERIFY(fdn.slotCount() > 0);
        QVERIFY2(ticks > 5, qPrintable(QString::number(ticks)));
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(w->objectName() != QStringLiteral("7110") || !w->isVisible());
    }

    void backupFileStartsInTheBackupFolderAndRemembersTheChosenOne() {
        velmet::Settings settings;
        settings.backupFolder = u"/backups";
        const FileChoice backup = backupFileChoice(settings, false);
        QCOMPARE(backup.folder, QStringLiteral("/backups"));
        QCOMPARE(backup.defaultSuffix, QStringLiteral("bsf"));
        QVERIFY(backup.filter.endsWith(QStringLiteral("(*.bsf)")));
        QCOMPARE(backup.proposedName, text(51));
        QVERIFY(backupFileChoice(settings, true).proposedName.isEmpty());
        ScriptedPrompts files;
        files.chooseFile(QStringLiteral("/elsewhere/card.bsf"));
        QCOMPARE(chooseBackupFile(nullptr, settings, true), QStringLiteral("/elsewhere/card.bsf"));
        QVERIFY(settings.backupFolder == u"/elsewhere");
    }

    void oneMessageNamesWhatFailedAndNoneAfterSuccess() {
        model::CardReport report;
        report.opened = true;
        report.done = {model::kBookAdn};
        QVERIFY(cardReportMessage(report).isEmpty());
        report.failed = {model::kBookFdn, model::kBookSdn};
        report.stopped = true;
        const QString message = cardReportMessage(report);
        QCOMPARE(message, text(709, toU16(fromU16(model::bookCaption(model::kBookFdn)) +
                                          QStringLiteral(", ") +
                                          fromU16(model::bookCaption(model::kBookSdn)))) +
                              QLatin1Char('\n') + text(711));
    }

    void theMessageSaysWhyEachBookFailedInTheCommandLinesWords() {
        model::CardReport report;
        report.opened = true;
        report.failed = {model::kBookAdn, model::kBookFdn};
        report.notAsWritten = {{model::kBookFdn, 2}};
        const model::BookWriteFailure adn{model::kBookAdn, 0, 3, true, false};
        report.writeFailures = {adn};
        QStringList expected{text(709, model::bookCaption(model::kBookAdn) + u", " +
                                           model::bookCaption(model::kBookFdn)),
                             fromU16(model::notAsWrittenText(report.notAsWritten[0],
                                                             model::bookCaption(model::kBookFdn)))};
        for (const std::u16string& line :
             model::writeFailureTexts(adn, model::bookCaption(model::kBookAdn)))
            expected << fromU16(line);
        QCOMPARE(expected.size(), 4);
        QCOMPARE(cardReportMessage(report), expected.join(QLatin1Char('\n')));

        model::CardReport restore;
        restore.opened = true;
        restore.failed = {model::kWholeCard};
        restore.writeFailures = {{model::kWholeCard, 0, 0, true, true}};
        QCOMPARE(cardReportMessage(restore),
                 QStringList({text(710), text(1280, model::cardAnswerText(0, true)), text(1281)})
                     .join(QLatin1Char('\n')));
    }

    void cancelAsksTheWorkToStopAndTheDialogWaitsForIt() {
        ModalScript script;
        script.then([](QWidget& d) {
            QCOMPARE(d.objectName(), QStringLiteral("7110"));
            click(d, "6105");
            QCOMPARE(field(d, "6102"), text(705));
            QVERIFY(d.isVisible());
        });
        bool sawCancel = false;
        ProgressLook look;
        look.style = ProgressStyle::Animation;
        runWithProgress(look, nullptr, [&](ProgressRelay& relay) {
            relay.title(u"title");
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (!relay.cancelled() && std::chrono::steady_clock::now() < until)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            sawCancel = relay.cancelled();
        });
        QVERIFY(sawCancel);
    }
};

QTEST_MAIN(CardWorkTest)
#include "CardWorkTest.moc"
