// Renders a drawing (SVG) as a square PNG of the given size:
//   icon-render DRAWING SIZE PICTURE
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

#include <cstdio>

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    if (argc != 4) {
        std::fputs("usage: icon-render DRAWING SIZE PICTURE\n", stderr);
        return 2;
    }
    bool isNumber = false;
    const int size = QString::fromLocal8Bit(argv[2]).toInt(&isNumber);
    if (!isNumber || size < 1 || size > 1024) {
        std::fputs("icon-render: the size is a number from 1 to 1024\n", stderr);
        return 2;
    }
    QImageReader reader(QString::fromLocal8Bit(argv[1]));
    reader.setScaledSize(QSize(size, size));
    const QImage picture = reader.read();
    if (picture.isNull() || !picture.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "icon-render: %s\n", qPrintable(reader.errorString()));
        return 1;
    }
    return 0;
}
