// Renders the card dialogs to PNG files for a look at them: the progress
// dialog during a read and a backup, the reader choice with two readers, the
// readers dialog (a card ready, an empty reader, a card pulled mid-command), the
// three PIN dialogs (one with a refused PIN), and the demo card's properties
// and those of its SDN book, read through the plug-in from the card that
// PELMORA_PCSC_LIBRARY serves.
// Usage: card_dialogs_gallery OUTDIR LANG

#include "BookKind.h"
#include "BookPropertiesDialog.h"
#include "CardPropertiesDialog.h"
#include "LangText.h"
#include "LanguageFile.h"
#include "PinDialog.h"
#include "PluginBinding.h"
#include "PluginCalls.h"
#include "ProgressDialog.h"
#include "ReaderChoiceDialog.h"
#include "ReadersDialog.h"
#include "UiText.h"

#include <QApplication>
#include <QDir>
#include <QStyle>

#include <cstdio>
#include <memory>

using namespace pelmora;
using namespace pelmora::ui;

namespace {

void save(QWidget& widget, const QString& folder, const QString& name, const QString& lang) {
    widget.adjustSize();
    widget.show();
    QApplication::processEvents();
    const QString path = QDir(folder).filePath(QStringLiteral("%1-%2.png").arg(name, lang));
    if (!widget.grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    widget.hide();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: card_dialogs_gallery OUTDIR LANG\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString lang = QString::fromLocal8Bit(argv[2]);
    const QString bin = QCoreApplication::applicationDirPath();
    velmet::useLanguage(std::make_shared<velmet::LanguageFile>(velmet::LanguageFile::load(
                            (bin + QStringLiteral("/lang.ini")).toStdString())),
                        lang.toStdU16String());
    velmet::Settings settings;
    settings.operatorList = (bin + QStringLiteral("/plmn.ini")).toStdU16String();
    const QIcon card = app.style()->standardIcon(QStyle::SP_DriveFDIcon);
    const QPixmap decoration =
        app.style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32);
    const QString reader = QStringLiteral("Virtual SIM Reader 0");

    ProgressLook look;
    look.icon = card;
    ProgressDialog read(look, nullptr);
    read.setTitle(text(84));
    read.setStatus(text(87, 17, 250));
    read.setRange(250);
    for (int i = 0; i < 17; ++i)
        read.step();
    save(read, out, QStringLiteral("progress-read"), lang);
    look.style = ProgressStyle::Animation;
    look.animationIcon = app.style()->standardIcon(QStyle::SP_DialogSaveButton);
    ProgressDialog backup(look, nullptr);
    backup.setTitle(text(92, model::bookCaption(model::kBookAdn)));
    backup.setStatus(text(89, 3, 12));
    save(backup, out, QStringLiteral("progress-backup"), lang);

    ReaderChoiceDialog choice({reader, QStringLiteral("Virtual SIM Reader 1")}, card, settings,
                              nullptr);
    save(choice, out, QStringLiteral("reader-choice"), lang);

    model::CardDocument ready, empty, pulled;
    ready.reader = reader.toStdU16String();
    ready.cardPresent = true;
    ready.cardAtr = u"3B1A115649525455414C53494D";
    empty.reader = u"Virtual SIM Reader 1";
    pulled.reader = u"Virtual SIM Reader 2";
    pulled.lastError = static_cast<int32_t>(0x80100069);
    model::CardDocument* const readers[] = {&ready, &empty, &pulled};
    ReadersDialog readersDialog(nullptr);
    readersDialog.showCheck(model::checkReaders(true, readers));
    save(readersDialog, out, QStringLiteral("readers"), lang);
    model::CardDocument* const unusable[] = {&empty};
    readersDialog.showCheck(model::checkReaders(true, unusable));
    save(readersDialog, out, QStringLiteral("readers-unusable"), lang);

    const std::pair<PinDialogKind, const char*> kinds[] = {{PinDialogKind::Verify, "pin-verify"},
                                                           {PinDialogKind::Change, "pin-change"},
                                                           {PinDialogKind::Unblock, "pin-unblock"}};
    for (const auto& [kind, name] : kinds) {
        PinDialog dialog(kind, 1, false, settings, nullptr);
        dialog.setReaderLine(reader);
        dialog.setDecoration(decoration);
        const bool refused = kind == PinDialogKind::Verify;
        dialog.setAttempts(kind == PinDialogKind::Unblock ? 10 : refused ? 2 : 3, refused);
        save(dialog, out, QString::fromLatin1(name), lang);
    }

    model::PluginBinding binding;
    model::PluginCalls calls(binding);
    model::CardDocument document;
    if (!binding.bindLibrary((bin + QStringLiteral("/libBrontel.so")).toStdString()) ||
        !calls.readerName(0, document.reader) || calls.connect(document, document.reader) == 0 ||
        calls.verifyPin(document, 1, u"1234") == 0) {
        std::fprintf(stderr, "no demo card: properties not rendered\n");
        return 1;
    }
    SimInfo info{};
    info.read_details = 1;
    info.book_file = -1;
    if (calls.cardInfo(document, info) != 0) {
        CardPropertiesDialog dialog(model::cardPropertyTexts(info, settings.operatorList), settings,
                                    fromU16(document.readerLine()), decoration, nullptr);
        save(dialog, out, QStringLiteral("card-properties"), lang);
    }
    SimInfo book{};
    book.read_details = 1;
    book.book_file = model::kBookSdn;
    if (calls.cardInfo(document, book) != 0) {
        BookPropertiesDialog dialog(fromU16(model::bookCaption(model::kBookSdn)),
                                    model::bookPropertyTexts(book, model::kBookSdn), settings,
                                    fromU16(document.readerLine()), decoration, nullptr);
        save(dialog, out, QStringLiteral("book-properties"), lang);
    }
    calls.close(document);
    return 0;
}
