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

QIcon IconBundle::icon(int number) const {
    if (!loaded())
        return {};
    const QString file = QStringLiteral(":%1/icons/%2.svg").arg(kRoot).arg(number);
    return QFile::exists(file) ? QIcon(file) : QIcon();
}

} // namespace pelmora::ui
