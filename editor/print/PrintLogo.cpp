#include "PrintLogo.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <array>

namespace pelmora::print {

namespace {

// A logo is a small picture; a file claiming more is not decoded.
constexpr int kMaxLogoSide = 4096;

constexpr std::array<const char*, 4> kPictureSuffixes = {"ico", "bmp", "png", "svg"};

bool isProgramPath(const QFileInfo& file) {
    const QString program = QFileInfo(programLogoPath()).canonicalFilePath();
    return !program.isEmpty() && file.canonicalFilePath() == program;
}

QImage readPicture(const QString& path) {
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.width() > kMaxLogoSide || size.height() > kMaxLogoSide) {
        return {};
    }
    return reader.read();
}

QImage onWhite(const QImage& picture) {
    if (picture.isNull()) {
        return {};
    }
    QImage white(picture.size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    QPainter painter(&white);
    painter.drawImage(0, 0, picture);
    return white;
}

} // namespace

QString programLogoPath() {
    return QCoreApplication::instance() != nullptr ? QCoreApplication::applicationFilePath()
                                                   : QString();
}

QImage loadLogo(const QString& path, const QImage& programIcon) {
    if (path.isEmpty()) {
        return {};
    }
    const QFileInfo file(path);
    if (!file.isFile()) {
        return {};
    }
    if (isProgramPath(file)) {
        return onWhite(programIcon);
    }
    const QString suffix = file.suffix().toLower();
    for (const char* known : kPictureSuffixes) {
        if (suffix == QLatin1String(known)) {
            return onWhite(readPicture(path));
        }
    }
    return {};
}

} // namespace pelmora::print
