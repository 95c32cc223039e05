#pragma once
// Paints a book's pages onto a printer or a PDF writer.

#include "PageLayout.h"
#include "PrintOptions.h"

#include <QFont>
#include <QImage>
#include <QString>

#include <vector>

class QPagedPaintDevice;
class QPaintDevice;

namespace pelmora::print {

// The device's printable area and the font's line height and character unit.
[[nodiscard]] PageMetrics pageMetrics(const QFont& font, QPaintDevice& device);

// Each page after the first starts with newPage(); the logo, scaled so that
// one of its pixels is one point, under the text of the pages that ask for
// it. False when the device would not start the document or a page.
[[nodiscard]] bool paintPages(QPagedPaintDevice& device, const QFont& font,
                              const std::vector<PrintedPage>& pages, const QImage& logo);

struct PrintJob {
    PrintOptions options;
    QString programTitle;
    QImage programIcon;           // the logo when PRINTLOGO names the program
    bool deletedMessages = false; // SHOW_DELETED_SMS
    QFont font;                   // the device's default font unless set
};

// Lays out and paints the whole book with today's date: the number of pages
// painted, 0 when paintPages failed.
[[nodiscard]] int printBook(QPagedPaintDevice& device, const model::Category& book,
                            const PrintJob& job);

} // namespace pelmora::print
