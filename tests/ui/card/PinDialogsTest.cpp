#include "ModalScript.h"
#include "PinDialog.h"
#include "PinFlows.h"
#include "Prompts.h"
#include "UiTestSupport.h"
#include "UiText.h"
#include "VirtualCard.h"
#include "WindowPinPrompter.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace pelmora;
using namespace pelmora::ui;
using namespace pelmora::ui::testing;

namespace {

QLabel* attemptsLine(QWidget& dialog) {
    return dialog.findChild<QLabel*>(QStringLiteral("1076"));
}

bool red(const QLabel& label) {
    return label.palette().color(QPalette::WindowText) == QColor(Qt::red);
}

bool okEnabled(QWidget& dialog) {
    return dialog.findChild<QPushButton*>(QStringLiteral("1"))->isEnabled();
}

// The PIN flows over a connected virtual card, asking through the dialogs.
struct DialogFlows {
    explicit DialogFlows(
        const std::vector<std::pair<std::string, std::pair<std::string, std::string>>>& edits = {})
        : card(edits) {
        connected = card.ready() && card.calls.connect(card.card, card.card.reader) != 0;
    }
    VirtualCard card;
    bool connected = false;
    velmet::Settings settings;
    WindowPinPrompter prompter{nullptr, settings};
    model::PinFlows flows{card.calls, prompter};
};

} // namespace

class PinDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(useShippedLanguage()); }

    void fieldsTakeDigitsOnlyAndOkWaitsForAValidEntry_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<bool>("ok");
        const int verify = int(PinDialogKind::Verify), unblock = int(PinDialogKind::Unblock);
        QTest::newRow("too short") << verify << "1064"
                                   << "123"
                                   << "123" << false;
        QTest::newRow("letters dropped") << verify << "1064"
                                         << "1a2b3c4"
                                         << "1234" << true;
        QTest::newRow("at most 8") << verify << "1064"
                                   << "1234567890"
                                   << "12345678" << true;
        QTest::newRow("PUK at most 10") << unblock << "1082"
                                        << "123456789012"
                                        << "1234567890" << false;
    }
    void fieldsTakeDigitsOnlyAndOkWaitsForAValidEntry() {
        QFETCH(int, kind);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(bool, ok);
        velmet::Settings settings;
        PinDialog dialog(PinDialogKind(kind), 1, false, settings, nullptr);
        auto* edit = dialog.findChild<QLineEdit*>(field);
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), kept);
        QCOMPARE(edit->echoMode(), QLineEdit::Password);
        QCOMPARE(okEnabled(dialog), ok);
    }

    void showPinBoxShowsTheInputAndIsTheSetting() {
        velmet::Settings settings;
        PinDialog dialog(PinDialogKind::Unblock, 2, false, settings, nullptr);
        dialog.findChild<QCheckBox*>(QStringLiteral("1078"))->click();
        QVERIFY(settings.showPin);
        for (const char* name : {"1082", "1064", "1079"})
            QCOMPARE(dialog.findChild<QLineEdit*>(QLatin1String(name))->echoMode(),
                     QLineEdit::Normal);
        PinDialog next(PinDialogKind::Verify, 1, false, settings, nullptr);
        QVERIFY(next.findChild<QCheckBox*>(QStringLiteral("1078"))->isChecked());
    }

    void wrongPinKeepsTheDialogWithTheNewCountInRed() {
        DialogFlows f;
        QVERIFY(f.connected);
        QWidget* first = nullptr;
        ModalScript script;
        script.then([&](QWidget& d) {
            first = &d;
            QCOMPARE(d.objectName(), QStringLiteral("102"));
            QCOMPARE(attemptsLine(d)->text(), text(59, 3));
            QVERIFY(!red(*attemptsLine(d)));
            type(d, "1064", QStringLiteral("9999"));
            click(d, "1");
        });
        script.then([&](QWidget& d) {
            QCOMPARE(&d, first);
            QCOMPARE(attemptsLine(d)->text(), text(59, 2));
            QVERIFY(red(*attemptsLine(d)));
            QVERIFY(d.findChild<QLineEdit*>(QStringLiteral("1064"))->text().isEmpty());
            type(d, "1064", QStringLiteral("1234"));
            click(d, "1");
        });
        QVERIFY(f.flows.verifyChooser(f.card.card, 1, false));
        QVERIFY(script.finished());
        QCOMPARE(script.unexpected(), 0);
        QVERIFY(f.card.card.pin1().view() == u"1234");
    }

    void mismatchedConfirmationSendsNothingToTheCard() {
        DialogFlows f;
        QVERIFY(f.connected);
        f.card.card.setPin1(u"1234");
        ModalScript script;
        script.then([&](QWidget& d) {
            QCOMPARE(d.objectName(), QStringLiteral("106"));
            type(d, "1064", QStringLiteral("4321"));
            type(d, "1079", QStringLiteral("4322"));
            QVERIFY(!okEnabled(d));
            QTest::keyClick(d.findChild<QLineEdit*>(QStringLiteral("1079")), Qt::Key_Return);
            QVERIFY(d.isVisible());
            click(d, "1072");
        });
        QVERIFY(!f.flows.changeFlow(f.card.card, 1));
        QVERIFY(script.finished());
        QVERIFY(!f.card.traced("A024")); // CHANGE CHV
    }

    void disableBoxSwitchesThePin1CheckOff() {
        DialogFlows f;
        QVERIFY(f.connected);
        f.card.card.setPin1(u"1234");
        ModalScript script;
        script.then([&](QWidget& d) {
            d.findChild<QCheckBox*>(QStringLiteral("1080"))->click();
            QVERIFY(!d.findChild<QLineEdit*>(QStringLiteral("1064"))->isEnabled());
            click(d, "1");
        });
        QVERIFY(f.flows.changeFlow(f.card.card, 1));
        QVERIFY(f.card.calls.cardInfo(f.card.card) != 0);
        QCOMPARE(f.card.card.info.pin1Enabled, 0);
    }

    void blockedPin1OpensTheUnblockDialogFirst() {
        DialogFlows f({{"Card", {"CHV1Attempts", "0"}}});
        QVERIFY(f.connected);
        ModalScript script;
        script.then([&](QWidget& d) {
            QCOMPARE(attemptsLine(d)->text(), text(59, 10)); // PUK attempts
            type(d, "1082", QStringLiteral("12345678"));
            type(d, "1064", QStringLiteral("4321"));
            QVERIFY(!okEnabled(d));
            type(d, "1079", QStringLiteral("4321"));
            click(d, "1");
        });
        QVERIFY(f.flows.verifyChooser(f.card.card, 1, false));
        QCOMPARE(script.seen(), QStringList{QStringLiteral("107")});
        QVERIFY(f.card.card.pin1().view() == u"4321");
    }

    void noticesReadAsInTheTerminal_data() {
        QTest::addColumn<int>("notice");
        QTest::addColumn<QString>("expected");
        QTest::newRow("blocked") << int(model::PinNotice::PinBlocked)
                                 << "PIN2 is blocked: unblock it with its PUK2";
        QTest::newRow("differ") << int(model::PinNotice::PinsDiffer)
                                << "The new PIN2 and its repetition differ.";
        QTest::newRow("silent") << int(model::PinNotice::CardNotAnswering)
                                << "The card does not answer.";
    }
    void noticesReadAsInTheTerminal() {
        QFETCH(int, notice);
        QFETCH(QString, expected);
        velmet::Settings settings;
        WindowPinPrompter prompter(nullptr, settings);
        ScriptedPrompts answers;
        prompter.notice(2, model::PinNotice(notice));
        QCOMPARE(answers.shown().size(), std::size_t(1));
        QCOMPARE(answers.shown()[0].text, expected);
    }

    void pukWithoutAttemptsIsRefusedWithoutADialog() {
        DialogFlows f({{"Card", {"CHV1Attempts", "0"}}, {"Card", {"UnblockCHV1Attempts", "0"}}});
        QVERIFY(f.connected);
        ScriptedPrompts answers;
        ModalScript script;
        QVERIFY(!f.flows.verifyChooser(f.card.card, 1, false));
        QCOMPARE(answers.shown().size(), std::size_t(1));
        QCOMPARE(answers.shown()[0].text, text(218));
        QVERIFY(script.seen().isEmpty());
    }
};

QTEST_MAIN(PinDialogsTest)
#include "PinDialogsTest.moc"
