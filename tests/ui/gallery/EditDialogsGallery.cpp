// Renders the editing dialogs for the manual: the simple and the iDEN entry
// dialog (with its speed-dial chooser open), Options, find and replace and
// add prefix, over the books of a .phn file.
// Usage: ui_edit_gallery FILE.phn OUTDIR LANGSECTION

#include "AddPrefixDialog.h"
#include "Category.h"
#include "EntryDialog.h"
#include "FileAssociation.h"
#include "FindReplaceDialog.h"
#include "IdenFieldGrid.h"
#include "LangText.h"
#include "LanguageFile.h"
#include "MainWindow.h"
#include "OptionsDialog.h"

#include <QApplication>
#include <QLineEdit>

#include <cstdio>
#include <filesystem>

using namespace pelmora;

namespace {

bool grab(QDialog& dialog, const QString& file) {
    dialog.show();
    QApplication::processEvents();
    return dialog.grab().save(file);
}

model::EntryDialogOpening editing(model::Category& book, int slot) {
    return model::openEntryDialog(book, slot, false);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 4) {
        std::fputs("usage: ui_edit_gallery FILE.phn OUTDIR LANGSECTION\n", stderr);
        return 2;
    }
    const std::filesystem::path program =
        std::filesystem::canonical("/proc/self/exe").parent_path();
    const QString out = QString::fromLocal8Bit(argv[2]) + QLatin1Char('/');
    const QString section = QString::fromLocal8Bit(argv[3]);
    velmet::useLanguage(
        std::make_shared<velmet::LanguageFile>(velmet::LanguageFile::load(program / "lang.ini")),
        section.toStdU16String());

    velmet::Settings settings;
    settings.languageSection = section.toStdU16String();
    settings.resourceFile = (program / "velmet_res.rcc").u16string();
    ui::MainWindow window(settings);
    window.loadIcons();
    if (!window.openDocumentFile(QString::fromLocal8Bit(argv[1])))
        return 1;
    model::Document& document = *window.documents().back();
    model::Category* adn = document.category(model::kBookAdn);
    model::Category* iden = document.category(model::kBookNextel);
    if (adn == nullptr || iden == nullptr)
        return 1;
    const QIcon editIcon = window.windowIcon();
    const QString suffix = QStringLiteral("-%1.png").arg(section);
    bool ok = true;

    ui::EntryDialog simple(*adn, editing(*adn, 0), editIcon, settings);
    ok = grab(simple, out + QStringLiteral("entry") + suffix) && ok;

    ui::EntryDialog idenDialog(*iden, editing(*iden, 0), editIcon, settings);
    idenDialog.show();
    QApplication::setActiveWindow(&idenDialog);
    idenDialog.idenFields()->speedDialBox(kValueMain)->setFocus();
    ok = grab(idenDialog, out + QStringLiteral("entry-iden") + suffix) && ok;

    velmet::FileAssociation association;
    ui::OptionsDialog options(settings, association, QIcon());
    ok = grab(options, out + QStringLiteral("options") + suffix) && ok;

    settings.searchText = u"an";
    ui::FindReplaceDialog find(*adn, nullptr, settings);
    ok = grab(find, out + QStringLiteral("find") + suffix) && ok;

    ui::AddPrefixDialog prefix(*adn, {0, 1}, nullptr);
    ok = grab(prefix, out + QStringLiteral("prefix") + suffix) && ok;
    return ok ? 0 : 1;
}
