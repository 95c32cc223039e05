#include "IconBundle.h"

#include <QFile>
#include <QResource>

namespace pelmora::ui {

namespace {
const QString kRoot = QStringLiteral("/pelmora-icons");
}

IconBundle::~IconBundle() {
    if (loaded())
        QResource::unregisterResource(m_path, kRoot);
}

bool IconBundle::load(const QString& path) {
    if (loaded()) {
        QResource::unregisterResource(m_path, kRoot);
        m_path.clear();
    }
    if (path.isEmpty() || !QResource::registerResource(path, kRoot))
        return false;
    m_path = path;
    return true;
}

namespace {
QString iconFile(int number) {
    return QStringLiteral(":%1/icons/%2.svg").arg(kRoot).arg(number);
}
} // namespace

QIcon IconBundle::icon(int number) const {
    if (!loaded())
        return {};
    const QString file = iconFile(number);
    return QFile::exists(file) ? QIcon(file) : QIcon();
}

QIcon IconBundle::icon(int number, int disabledNumber) const {
    QIcon normal = icon(number);
    const QString disabled = iconFile(disabledNumber);
    if (!normal.isNull() && QFile::exists(disabled))
        normal.addFile(disabled, QSize(), QIcon::Disabled);
    return normal;
}

} // namespace pelmora::ui
