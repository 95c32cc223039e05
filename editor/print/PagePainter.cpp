#include "PagePainter.h"

#include "PrintLogo.h"

#include <QDateTime>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

namespace pelmora::print {

namespace {

QString qtText(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

SystemTime localNow() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {static_cast<uint16_t>(date.year()),          static_cast<uint16_t>(date.month()),
            static_cast<uint16_t>(date.dayOfWeek() % 7), static_cast<uint16_t>(date.day()),
            static_cast<uint16_t>(time.hour()),          static_cast<uint16_t>(time.minute()),
            static_cast<uint16_t>(time.second()),        static_cast<uint16_t>(time.msec())};
}

// Ligatures would turn "ffi" into one glyph, which a PDF reader gives back as
// a character of its own; a printed list is plain text.
QFont plainText(QFont font) {
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

} // namespace

PageMetrics pageMetrics(const QFont& font, QPaintDevice& device) {
    const QFontMetrics metrics(plainText(font), &device);
    return {device.width(), device.height(), metrics.height() + metrics.leading(),
            metrics.averageCharWidth() + metrics.leading(), [metrics](std::u16string_view text) {
                return metrics.horizontalAdvance(
                    QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
            }};
}

bool paintPages(QPagedPaintDevice& device, const QFont& font, const std::vector<PrintedPage>& pages,
                const QImage& logo) {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    painter.setFont(plainText(font));
    const int ascent = painter.fontMetrics().ascent();
    const QSize logoSize(logo.width() * device.logicalDpiX() / 72,
                         logo.height() * device.logicalDpiY() / 72);
    for (const PrintedPage& page : pages) {
        if (&page != &pages.front() && !device.newPage()) {
            painter.end();
            return false;
        }
        if (page.logo && !logo.isNull()) {
            painter.drawImage(QRect(QPoint(0, 0), logoSize), logo);
        }
        for (const PrintedLine& line : page.lines) {
            painter.drawText(QPoint(line.x, line.y + ascent), qtText(line.text));
        }
    }
    return painter.end();
}

int printBook(QPagedPaintDevice& device, const model::Category& book, const PrintJob& job) {
    const QImage logo = loadLogo(qtText(job.options.logo), job.programIcon);
    LayoutRequest request;
    request.header =
        printHeader(job.options, job.programTitle.toStdU16String(), book.kind(), localNow());
    request.pageNumbers = job.options.pageNumbers;
    request.logo = !logo.isNull();
    request.deletedMessages = job.deletedMessages;
    const std::vector<PrintedPage> pages =
        layoutPages(book, request, pageMetrics(job.font, device));
    return paintPages(device, job.font, pages, logo) ? static_cast<int>(pages.size()) : 0;
}

} // namespace pelmora::print
