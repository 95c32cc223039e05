#include "OptionsDialog.h"
#include "FileAssociation.h"
#include "LangText.h"
#include "Prompts.h"
#include "UiTestSupport.h"
#include "UiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace pelmora;
using namespace pelmora::ui;

namespace {

class RecordingAssociation : public velmet::FileAssociation {
public:
    RecordingAssociation() : FileAssociation("/nonexistent/libqulvio.so") {}
    bool associate(std::u16string_view extension, std::u16string_view) override {
        associated.push_back(QString::fromStdU16String(std::u16string(extension)));
        return !refuse;
    }
    bool unassociate(std::u16string_view) override { return true; }
    QStringList associated;
    bool refuse = false;
};

} // namespace

class OptionsDialogTest : public QObject {
    Q_OBJECT

    velmet::Settings m_settings;
    RecordingAssociation m_association;

    // Fills the default extension and presses the button.
    void run(const QString& extension, const char* button = "1") {
        OptionsDialog dialog(m_settings, m_association, QIcon());
        dialog.findChild<QLineEdit*>("1145")->setText(extension);
        dialog.show();
        dialog.findChild<QPushButton*>(button)->click();
        QVERIFY(!dialog.isVisible());
    }

private slots:
    void initTestCase() { QVERIFY(testing::useShippedLanguage()); }
    void init() {
        m_settings = velmet::Settings{};
        m_association = RecordingAssociation{};
    }

    void defaultExtensionGetsItsDotAndJoinsTheFilter_data() {
        QTest::addColumn<QString>("entered");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("associated");
        QTest::newRow("abc") << "abc"
                             << ".abc"
                             << "*.phn;*.csv;*.abc" << QStringList{".abc"};
        QTest::newRow("empty") << ""
                               << ".*"
                               << "*.phn;*.csv;*.*" << QStringList{};
    }
    void defaultExtensionGetsItsDotAndJoinsTheFilter() {
        QFETCH(QString, entered);
        QFETCH(QString, stored);
        QFETCH(QString, filter);
        QFETCH(QStringList, associated);
        run(entered);
        QCOMPARE(QString::fromStdU16String(m_settings.defaultExtension), stored);
        QCOMPARE(QString::fromStdU16String(m_settings.filter), filter);
        QCOMPARE(m_association.associated, associated);
    }

    void refusedRegistrationIsSaid() {
        ScriptedPrompts prompts;
        m_association.refuse = true;
        run(QStringLiteral("abc"));
        QCOMPARE(prompts.shown().size(), std::size_t(1));
        QVERIFY(prompts.shown()[0].text.contains(QStringLiteral(".abc")));
    }

    void cancelChangesNothingButTheRememberedRectangle() {
        m_settings.window(velmet::WindowKey::Search) = {1, 2, 300, 400};
        run(QStringLiteral("abc"), "1072");
        velmet::Settings expected;
        expected.window(velmet::WindowKey::Search) = {1, 2, 300, 400};
        QVERIFY(m_settings.window(velmet::WindowKey::Options).right > 0);
        expected.window(velmet::WindowKey::Options) = m_settings.window(velmet::WindowKey::Options);
        QVERIFY(m_settings == expected);
        QVERIFY(m_association.associated.isEmpty());
    }

    void turningOffSavedPositionsForgetsTheRectanglesAndTheLanguageIsChosenByName() {
        m_settings.window(velmet::WindowKey::Search) = {1, 2, 300, 400};
        OptionsDialog dialog(m_settings, m_association, QIcon());
        dialog.findChild<QCheckBox*>("1148")->setChecked(false);
        auto* languages = dialog.findChild<QComboBox*>("1151");
        QCOMPARE(languages->currentText(), QStringLiteral("English"));
        languages->setCurrentText(QStringLiteral("Deutsch"));
        QVERIFY(!dialog.findChild<QCheckBox*>("1171")->isChecked()); // SIM_WITHOUT_HOLES on
        dialog.findChild<QCheckBox*>("1171")->setChecked(true);
        dialog.show();
        dialog.findChild<QPushButton*>("1")->click();
        QCOMPARE(m_settings.window(velmet::WindowKey::Search), velmet::WindowRect{});
        QVERIFY(!m_settings.saveWindowPos);
        QVERIFY(!m_settings.simWithoutHoles);
        QCOMPARE(m_settings.languageSection, std::u16string(u"de"));
        QCOMPARE(ui::text(224), QStringLiteral("Optionen"));
        velmet::useLanguageSection(u"en");
    }

    void verifyAfterWritingIsOffByDefaultAndItsBoxSetsTheSetting() {
        OptionsDialog dialog(m_settings, m_association, QIcon());
        auto* verify = dialog.findChild<QCheckBox*>("1282");
        QVERIFY(verify != nullptr);
        QCOMPARE(verify->text(), ui::text(1282));
        QVERIFY(!verify->isChecked());
        verify->setChecked(true);
        dialog.show();
        dialog.findChild<QPushButton*>("1")->click();
        QVERIFY(m_settings.verifyAfterWrite);
    }
};

QTEST_MAIN(OptionsDialogTest)
#include "OptionsDialogTest.moc"
