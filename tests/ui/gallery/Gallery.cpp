// Renders the main window for the README and the manual: the books of a .phn
// file with the phone book, the iDEN book and the messages selected.
// Usage: ui_gallery FILE.phn OUTDIR LANGSECTION

#include "Category.h"
#include "DocumentTreeModel.h"
#include "EntryTableModel.h"
#include "LangText.h"
#include "LanguageFile.h"
#include "MainWindow.h"

#include <QApplication>
#include <QTableView>
#include <QTreeView>

#include <cstdio>
#include <filesystem>

using namespace pelmora;

namespace {

void select(ui::MainWindow& window, uint16_t kind) {
    const auto& documents = window.documents();
    if (documents.empty())
        return;
    if (const model::Category* book = documents.back()->category(kind))
        window.selectCategory(*book);
}

bool grab(ui::MainWindow& window, const QString& file) {
    QApplication::processEvents();
    return window.grab().save(file);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 4) {
        std::fputs("usage: ui_gallery FILE.phn OUTDIR LANGSECTION\n", stderr);
        return 2;
    }
    const std::filesystem::path program =
        std::filesystem::canonical("/proc/self/exe").parent_path();
    const QString out = QString::fromLocal8Bit(argv[2]);
    const QString section = QString::fromLocal8Bit(argv[3]);
    velmet::useLanguage(
        std::make_shared<velmet::LanguageFile>(velmet::LanguageFile::load(program / "lang.ini")),
        section.toStdU16String());

    velmet::Settings settings;
    settings.showDeletedSms = true;
    settings.resourceFile = (program / "velmet_res.rcc").u16string();
    ui::MainWindow window(settings);
    window.resize(1000, 620);
    window.show();
    window.loadIcons();
    if (!window.openDocumentFile(QString::fromLocal8Bit(argv[1])))
        return 1;

    select(window, model::kBookAdn);
    window.list()->selectRow(0);
    bool ok = grab(window, out + QStringLiteral("/main-adn-%1.png").arg(section));
    select(window, model::kBookNextel);
    window.list()->selectRow(0);
    ok = grab(window, out + QStringLiteral("/main-iden-%1.png").arg(section)) && ok;
    // The demo card holds no message deleted on the card: flag one to show it.
    if (model::Category* messages = window.documents().back()->category(model::kBookSms)) {
        if (SmsEntry* shown = messages->message(2))
            shown->flags = int32_t(uint32_t(shown->flags) | kSmsDeleted);
    }
    select(window, model::kBookSms);
    ok = grab(window, out + QStringLiteral("/main-sms-%1.png").arg(section)) && ok;
    return ok ? 0 : 1;
}
