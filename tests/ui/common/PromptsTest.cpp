#include "Prompts.h"
#include "UiTestSupport.h"
#include "UiText.h"

#include <QtTest>

using namespace pelmora::ui;

class PromptsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(testing::useShippedLanguage()); }

    void textsComeFromTheLanguageFileByNumber() {
        QCOMPARE(text(226).isEmpty(), false);
        QCOMPARE(text(999999), QString());
    }

    void scriptedAnswersAreTakenInOrderThenTheEscapeButton() {
        ScriptedPrompts script;
        script.answer(QMessageBox::Yes);
        script.chooseFile(QStringLiteral("/tmp/a.phn"));
        const auto buttons = QMessageBox::Yes | QMessageBox::No;
        QCOMPARE(Prompts::ask(nullptr, QMessageBox::Question, QStringLiteral("first"), buttons),
                 QMessageBox::Yes);
        QCOMPARE(Prompts::ask(nullptr, QMessageBox::Question, QStringLiteral("second"), buttons),
                 QMessageBox::No);
        QCOMPARE(Prompts::openFile(nullptr, {}), QStringLiteral("/tmp/a.phn"));
        QCOMPARE(Prompts::saveFile(nullptr, {}), QString());
        QVERIFY(script.allAnswersUsed());
        QCOMPARE(script.shown().size(), std::size_t(2));
        QCOMPARE(script.shown()[1].text, QStringLiteral("second"));
    }
};

QTEST_MAIN(PromptsTest)
#include "PromptsTest.moc"
