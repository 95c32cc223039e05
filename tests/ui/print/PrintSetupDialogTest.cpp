#include "PrintSetupDialog.h"
#include "BookPrinting.h"
#include "Prompts.h"
#include "Records.h"
#include "UiTestSupport.h"
#include "UiText.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace pelmora;
using namespace pelmora::ui;

namespace {

QImage redSquare() {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image;
}

template <typename T> T* control(QWidget& dialog, const char* number) {
    T* found = dialog.findChild<T*>(QLatin1String(number));
    if (found == nullptr) {
        qFatal("control %s missing", number);
    }
    return found;
}

void click(QWidget& dialog, const char* number) {
    QTest::mouseClick(control<QAbstractButton>(dialog, number), Qt::LeftButton);
}

// Runs step on the setup dialog once its exec() has begun.
void whenSetupOpens(std::function<void(QDialog&)> step) {
    QTimer::singleShot(0, [step] {
        auto* setup = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(setup != nullptr && setup->objectName() == QLatin1String("112"));
        step(*setup);
    });
}

} // namespace

class PrintSetupDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(testing::useShippedLanguage()); }

    void controlsShowTheStoredOptions() {
        velmet::Settings settings;
        settings.printPages = false;
        settings.printTitle = u"Family";
        PrintSetupDialog dialog(settings, {}, {});
        QCOMPARE(dialog.windowTitle(), text(144));
        QVERIFY(control<QCheckBox>(dialog, "1131")->isChecked());
        QVERIFY(!control<QCheckBox>(dialog, "1134")->isChecked());
        QVERIFY(control<QCheckBox>(dialog, "1136")->isChecked());
        QCOMPARE(control<QLineEdit>(dialog, "1139")->text(), QStringLiteral("Family"));
        QVERIFY(!control<QCheckBox>(dialog, "1137")->isChecked());
        QVERIFY(control<QLineEdit>(dialog, "1141")->isReadOnly());
        QVERIFY(!control<QPushButton>(dialog, "1042")->isEnabled());
        QCOMPARE(control<QPushButton>(dialog, "1140")->text(), text(124));
    }

    void uncheckingTitleAndOkClearsTheTitle() {
        velmet::Settings settings;
        settings.printTitle = u"Family";
        PrintSetupDialog dialog(settings, {}, {});
        dialog.show();
        click(dialog, "1136");
        QVERIFY(!control<QLineEdit>(dialog, "1139")->isEnabled());
        QVERIFY(control<QPushButton>(dialog, "1042")->isEnabled());
        click(dialog, "1");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(settings.printTitle.empty());
        QVERIFY(settings.window(velmet::WindowKey::Print).right > 0);
    }

    void applyStoresAndStaysOpenWhileCancelStoresNothing() {
        velmet::Settings settings;
        PrintSetupDialog dialog(settings, {}, {});
        click(dialog, "1131");
        click(dialog, "1042");
        QVERIFY(!settings.printSource);
        QVERIFY(!control<QPushButton>(dialog, "1042")->isEnabled());
        click(dialog, "1132");
        click(dialog, "1072");
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(settings.printProgramName);
    }

    void logoIsTheProgramUnlessAPictureIsChosen() {
        velmet::Settings settings;
        PrintSetupDialog dialog(settings, {}, redSquare());
        auto* preview = control<QLabel>(dialog, "1114");
        click(dialog, "1137");
        QCOMPARE(control<QLineEdit>(dialog, "1141")->text(),
                 QCoreApplication::applicationFilePath());
        QCOMPARE(preview->pixmap().size(), QSize(16, 16));
        click(dialog, "1137");
        QVERIFY(preview->pixmap().isNull());

        const QString picture = QStringLiteral(PELMORA_TEST_DATA "/logo.png");
        ScriptedPrompts script;
        script.chooseFile(picture);
        click(dialog, "1140");
        QCOMPARE(control<QLineEdit>(dialog, "1141")->text(), picture);
        QCOMPARE(preview->pixmap().size(), QSize(24, 24));
        click(dialog, "1");
        QCOMPARE(settings.printLogo, picture.toStdU16String());
    }

    void logoFilterAddsLinuxPictureTypes() {
        QCOMPARE(logoFilter(QStringLiteral("Pictures"), u"*.ico;*.bmp"),
                 QStringLiteral("Pictures (*.ico *.bmp *.png *.svg)"));
        QCOMPARE(logoFilter(QStringLiteral("P"), u"*.PNG"), QStringLiteral("P (*.PNG *.svg)"));
    }

    void printingWritesThePagesAndKeepsOptionsWhenThePrinterIsCancelled() {
        velmet::Settings settings;
        model::Category book(model::kBookAdn, 5);
        model::setFieldText(book.entry(0)->name, u"Ada");
        const PrintRequest request{&book, {}, {}};
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("book.pdf"));

        whenSetupOpens([](QDialog& setup) { click(setup, "1"); });
        const auto toPdf = [&pdf](QPrinter& printer, QWidget*) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        QCOMPARE(printBook(nullptr, settings, request, toPdf), PrintOutcome::Printed);
        QVERIFY(QFileInfo(pdf).size() > 0);

        whenSetupOpens([](QDialog& setup) {
            click(setup, "1134");
            click(setup, "1");
        });
        const auto cancelled = [](QPrinter&, QWidget*) { return false; };
        QCOMPARE(printBook(nullptr, settings, request, cancelled), PrintOutcome::PrinterCancelled);
        QVERIFY(!settings.printPages);

        whenSetupOpens([](QDialog& setup) { click(setup, "1072"); });
        QCOMPARE(printBook(nullptr, settings, request, toPdf), PrintOutcome::SetupCancelled);
        QCOMPARE(printBook(nullptr, settings, {}, toPdf), PrintOutcome::NothingToPrint);
    }
};

QTEST_MAIN(PrintSetupDialogTest)
#include "PrintSetupDialogTest.moc"
