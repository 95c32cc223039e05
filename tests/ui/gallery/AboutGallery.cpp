// Renders the support library's About box to a PNG file for a look at it,
// shown the way Help > About shows it: through the library's two exports.
// Usage: about_gallery OUTDIR LANG

#include "Qulvio.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QTimer>
#include <QWidget>

#include <dlfcn.h>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: about_gallery OUTDIR LANG\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString lang = QString::fromLocal8Bit(argv[2]);
    const QString bin = QCoreApplication::applicationDirPath();

    void* library = dlopen(QULVIO_PATH, RTLD_NOW | RTLD_LOCAL);
    const auto setLangIni =
        library ? reinterpret_cast<SetLangIniFunction>(dlsym(library, "set_lang_ini")) : nullptr;
    const auto aboutDialog =
        library ? reinterpret_cast<AboutDialogFunction>(dlsym(library, "AboutDialog")) : nullptr;
    if (setLangIni == nullptr || aboutDialog == nullptr) {
        std::fprintf(stderr, "cannot load %s\n", QULVIO_PATH);
        return 1;
    }
    (void)setLangIni((bin + QStringLiteral("/lang.ini")).toLocal8Bit().constData(),
                     lang.toUtf8().constData());

    QWidget owner;
    owner.setWindowIcon(QIcon(QStringLiteral(PROGRAM_ICON)));
    const QString path = QDir(out).filePath(QStringLiteral("about-%1.png").arg(lang));
    QTimer::singleShot(100, [&path] {
        QWidget* box = QApplication::activeModalWidget();
        if (box == nullptr || !box->grab().save(path))
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        if (box != nullptr)
            box->close();
    });
    const int shown = aboutDialog(&owner);
    dlclose(library);
    return shown == 1 ? 0 : 1;
}
