#pragma once
// The printed pages of a book as positioned text lines, in the device units
// of the printer: a header on the first page (title, program title, source
// name, date and time), the book's slots in order, and page numbers. Knows
// nothing of painting, so it can be checked line by line.

#include "Category.h"
#include "SystemTime.h"

#include <functional>
#include <string>
#include <vector>

namespace pelmora::print {

struct PrintOptions;

// The printable area and the font, in device units.
struct PageMetrics {
    int width = 0;
    int height = 0;
    int lineHeight = 0; // the font's height plus its external leading
    int charWidth = 0;  // average character width plus external leading
    // The printed width of a text; without it, its length in character units.
    std::function<int(std::u16string_view)> textWidth;
};

// One line of text; (x, y) is its top left corner.
struct PrintedLine {
    int x = 0;
    int y = 0;
    std::u16string text;

    friend bool operator==(const PrintedLine&, const PrintedLine&) = default;
};

struct PrintedPage {
    int number = 0;    // 1 for the first page
    bool logo = false; // the logo goes at the top left corner, under the text
    std::vector<PrintedLine> lines;
};

// The header lines' texts; an empty text prints no line.
struct PrintHeader {
    std::u16string title;
    std::u16string programTitle;
    std::u16string sourceName;
    std::u16string dateTime;
};

// The header the options ask for: the source name is the book's caption, the
// date the short date, a blank and the 24-hour time.
[[nodiscard]] PrintHeader printHeader(const PrintOptions& options, std::u16string_view programTitle,
                                      uint16_t kind, const SystemTime& now);
// "short date hh:mm:ss"; empty for a time stamp that was never set.
[[nodiscard]] std::u16string printedTime(const SystemTime& time);

struct LayoutRequest {
    PrintHeader header;
    bool pageNumbers = true;
    bool logo = false;            // a logo is printed on the first page
    bool deletedMessages = false; // messages deleted on the card are printed too
};

// Column starts, in character units from the left margin.
inline constexpr int kNameColumn = 8;
inline constexpr int kFieldLabelColumn = 12;
inline constexpr int kMessageFromColumn = 6;
inline constexpr int kMessageSmscColumn = 30;
inline constexpr int kMessageDateColumn = 50;
// The date's right end stays this many character units from the right edge.
inline constexpr int kDateRightGap = 10;
// Left margin in device units.
inline constexpr int kLeftMargin = 4;

// At least one page, even for an empty book. Metrics with a line height or
// character width below 1 are taken as 1.
[[nodiscard]] std::vector<PrintedPage>
layoutPages(const model::Category& book, const LayoutRequest& request, const PageMetrics& metrics);

} // namespace pelmora::print
