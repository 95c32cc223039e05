// Renders the print setup dialog for the README and the manual.
// Usage: ui_print_gallery OUTDIR LANGSECTION

#include "IconBundle.h"
#include "LangText.h"
#include "LanguageFile.h"
#include "PrintSetupDialog.h"

#include <QApplication>

#include <cstdio>
#include <filesystem>

using namespace pelmora;

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fputs("usage: ui_print_gallery OUTDIR LANGSECTION\n", stderr);
        return 2;
    }
    const std::filesystem::path program =
        std::filesystem::canonical("/proc/self/exe").parent_path();
    const QString section = QString::fromLocal8Bit(argv[2]);
    velmet::useLanguage(
        std::make_shared<velmet::LanguageFile>(velmet::LanguageFile::load(program / "lang.ini")),
        section.toStdU16String());

    ui::IconBundle icons;
    (void)icons.load(QString::fromStdString((program / "velmet_res.rcc").string()));
    constexpr int kProgramIcon = 100;
    velmet::Settings settings;
    settings.printTitle = u"Demo card";
    settings.printLogo = QCoreApplication::applicationFilePath().toStdU16String();
    ui::PrintSetupDialog dialog(settings, icons.icon(settings.icons.bookIcon),
                                icons.icon(kProgramIcon).pixmap(64).toImage());
    dialog.show();
    QApplication::processEvents();
    const QString file = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/print-setup-") +
                         section + QStringLiteral(".png");
    return dialog.grab().save(file) ? 0 : 1;
}
