#include "WindowSnapshot.h"

#include "UiText.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace pelmora::ui {

QString takeSnapshotOption(QStringList& arguments) {
    const qsizetype at = arguments.indexOf(QLatin1String(kSnapshotOption));
    if (at < 1 || at + 1 >= arguments.size())
        return {};
    const QString file = arguments[at + 1];
    arguments.remove(at, 2);
    return file;
}

void scheduleSnapshot(QWidget& window, const QString& file, int delayMs) {
    QTimer::singleShot(delayMs, &window, [&window, file] {
        if (!window.grab().save(file, "PNG"))
            std::fprintf(stderr, "%s\n", qPrintable(text(905, file.toStdU16String())));
        QApplication::exit(0);
    });
}

} // namespace pelmora::ui
