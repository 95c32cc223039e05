#include "PageLayout.h"

#include "LangText.h"
#include "LocaleFormats.h"
#include "PrintOptions.h"
#include "Records.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <utility>

namespace pelmora::print {

namespace {

// The iDEN fields after the first line, in printed order, with their labels.
constexpr std::array<std::pair<int, int>, 10> kIdenFieldLines = {{
    {kValueWork, 132},
    {kValueHome, 133},
    {kValueMobile, 134},
    {kValueFax, 135},
    {kValuePager, 136},
    {kValueOther, 137},
    {kValueEmail, 138},
    {kValueChatAddress, 139},
    {kValuePrivateId, 140},
    {kValueTalkgroup, 141},
}};

std::u16string decimal(long value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

// A printed line never breaks: line breaks and tabs of a message become blanks.
std::u16string oneLine(std::u16string_view text) {
    std::u16string line(text);
    std::replace_if(
        line.begin(), line.end(), [](char16_t c) { return c == u'\r' || c == u'\n' || c == u'\t'; },
        u' ');
    return line;
}

class PageWriter {
public:
    PageWriter(const LayoutRequest& request, const PageMetrics& metrics)
        : m_request(request), m_metrics(metrics) {
        m_metrics.lineHeight = std::max(1, m_metrics.lineHeight);
        m_metrics.charWidth = std::max(1, m_metrics.charWidth);
    }

    std::vector<PrintedPage> take() { return std::move(m_pages); }

    void startPage() {
        m_pages.push_back(
            {static_cast<int>(m_pages.size()) + 1, m_pages.empty() && m_request.logo, {}});
        m_y = 0;
        m_open = true;
    }

    void finishPage() {
        if (!m_open) {
            return;
        }
        if (m_request.pageNumbers) {
            const std::u16string number = decimal(m_pages.back().number);
            add(centred(number), m_metrics.height - m_metrics.lineHeight, number);
        }
        m_open = false;
    }

    // A slot of lineCount lines starts on a new page when it would run into
    // the page number's line (or off the page) where it stands; a slot taller
    // than a page starts at the top of one and is cut at its bottom.
    void beginSlot(int lineCount) {
        if (!m_open) {
            startPage();
            return;
        }
        const int bottom = m_metrics.height - (m_request.pageNumbers ? m_metrics.lineHeight : 0);
        if (m_y > 0 && m_y + lineCount * m_metrics.lineHeight > bottom) {
            finishPage();
            startPage();
        }
    }

    // After the header and after every slot.
    void finishPageWhenFull() {
        if (m_open && m_y > m_metrics.height - 2 * m_metrics.lineHeight) {
            finishPage();
        }
    }

    [[nodiscard]] bool atTop() const { return m_y == 0; }

    void centredLine(std::u16string_view text) {
        add(centred(text), m_y, std::u16string(text));
        newLine();
    }

    void rightAlignedLine(std::u16string_view text) {
        const int width = (static_cast<int>(text.size()) + kDateRightGap) * m_metrics.charWidth;
        add(std::max(0, m_metrics.width - width), m_y, std::u16string(text));
        newLine();
    }

    void atColumn(int column, std::u16string_view text) {
        add(kLeftMargin + column * m_metrics.charWidth, m_y, std::u16string(text));
    }

    void atHalfWidth(std::u16string_view text) {
        add(m_metrics.width / 2, m_y, std::u16string(text));
    }

    // The text cut into lines that fit from the column to the right edge, or
    // to a character unit before the half width where a second column stands:
    // after the last blank that fits, else after the last character that
    // does; at least one character a line.
    [[nodiscard]] std::vector<std::u16string> wrapped(int column, std::u16string_view text,
                                                      bool beforeHalfWidth = false) const {
        const int right =
            beforeHalfWidth ? m_metrics.width / 2 - m_metrics.charWidth : m_metrics.width;
        const int room = right - (kLeftMargin + column * m_metrics.charWidth);
        std::vector<std::u16string> lines;
        while (widthOf(text) > room) {
            // The longest start that fits; widths grow with the length.
            size_t low = 1;
            size_t high = text.size() - 1;
            while (low < high) {
                const size_t middle = (low + high + 1) / 2;
                if (widthOf(text.substr(0, middle)) <= room) {
                    low = middle;
                } else {
                    high = middle - 1;
                }
            }
            if (low > 1 && text[low] >= 0xDC00 && text[low] <= 0xDFFF) {
                --low; // never between the halves of a surrogate pair
            }
            const size_t blank = text.substr(0, low + 1).rfind(u' ');
            const bool atBlank = blank != std::u16string_view::npos && blank > 0;
            lines.emplace_back(text.substr(0, atBlank ? blank : low));
            text.remove_prefix(atBlank ? blank + 1 : low);
        }
        if (!text.empty()) {
            lines.emplace_back(text);
        }
        return lines;
    }

    void newLine(int count = 1) { m_y += count * m_metrics.lineHeight; }

private:
    [[nodiscard]] int widthOf(std::u16string_view text) const {
        return m_metrics.textWidth ? m_metrics.textWidth(text)
                                   : static_cast<int>(text.size()) * m_metrics.charWidth;
    }

    [[nodiscard]] int centred(std::u16string_view text) const {
        const int half = static_cast<int>(text.size()) * m_metrics.charWidth / 2;
        return std::max(0, m_metrics.width / 2 - half);
    }

    void add(int x, int y, std::u16string text) {
        if (!text.empty()) {
            m_pages.back().lines.push_back({x, y, std::move(text)});
        }
    }

    const LayoutRequest& m_request;
    PageMetrics m_metrics;
    std::vector<PrintedPage> m_pages;
    int m_y = 0;
    bool m_open = false;
};

void writeHeader(PageWriter& page, const PrintHeader& header) {
    for (const std::u16string* line : {&header.title, &header.programTitle, &header.sourceName}) {
        if (!line->empty()) {
            page.centredLine(*line);
        }
    }
    if (!header.dateTime.empty()) {
        page.rightAlignedLine(header.dateTime);
    }
}

int idenFieldCount(const PhoneBookEntry& entry) {
    int count = 0;
    for (const auto& [value, label] : kIdenFieldLines) {
        count += model::entryValue(entry, value).empty() ? 0 : 1;
    }
    return count;
}

// A name too wide for its column goes on in it on the following lines, so
// that it neither runs under the number nor off the paper.
void writeEntry(PageWriter& page, int slot, const PhoneBookEntry& entry, bool iden) {
    const std::vector<std::u16string> name =
        page.wrapped(kNameColumn, model::fieldText(entry.name), true);
    page.beginSlot(static_cast<int>(std::max<size_t>(name.size(), 1)) +
                   (iden ? idenFieldCount(entry) : 0));
    page.atColumn(0, decimal(slot + 1));
    for (size_t line = 0; line < std::max<size_t>(name.size(), 1); ++line) {
        if (line < name.size()) {
            page.atColumn(kNameColumn, name[line]);
        }
        if (line == 0) {
            page.atHalfWidth(model::entryValue(entry, kValueMain));
        }
        page.newLine();
    }
    if (!iden) {
        return;
    }
    for (const auto& [value, label] : kIdenFieldLines) {
        const std::u16string_view text = model::entryValue(entry, value);
        if (!text.empty()) {
            page.atColumn(kFieldLabelColumn, velmet::langText(label));
            page.atHalfWidth(text);
            page.newLine();
        }
    }
}

// A message takes its first line, its text (on as many lines as it needs to
// stay on the paper) and an empty line.
void writeMessage(PageWriter& page, int slot, const SmsEntry& message) {
    const std::vector<std::u16string> text =
        page.wrapped(kMessageFromColumn, oneLine(model::fieldText(message.text)));
    page.beginSlot(2 + static_cast<int>(std::max<size_t>(text.size(), 1)));
    if (page.atTop()) {
        page.atColumn(0, u"Pos.");
        page.atColumn(kMessageFromColumn, u"From:");
        page.atColumn(kMessageSmscColumn, u"SMSC:");
        page.atColumn(kMessageDateColumn, u"Date:");
        page.newLine();
    }
    page.atColumn(0, decimal(slot + 1));
    page.atColumn(kMessageFromColumn, model::fieldText(message.address));
    page.atColumn(kMessageSmscColumn, model::fieldText(message.smsc));
    page.atColumn(kMessageDateColumn, printedTime(message.timestamp));
    page.newLine();
    for (const std::u16string& line : text) {
        page.atColumn(kMessageFromColumn, line);
        page.newLine();
    }
    page.newLine(text.empty() ? 2 : 1);
}

} // namespace

std::u16string printedTime(const SystemTime& time) {
    if (time.year == 0 && time.month == 0 && time.day == 0) {
        return {};
    }
    char clock[16];
    std::snprintf(clock, sizeof clock, "%02u:%02u:%02u", static_cast<unsigned>(time.hour % 100),
                  static_cast<unsigned>(time.minute % 100),
                  static_cast<unsigned>(time.second % 100));
    const std::string digits(clock);
    return platform::formatShortDate(time) + u" " + std::u16string(digits.begin(), digits.end());
}

PrintHeader printHeader(const PrintOptions& options, std::u16string_view programTitle,
                        uint16_t kind, const SystemTime& now) {
    PrintHeader header;
    header.title = options.title.substr(0, kMaxTitleLength);
    if (options.programName) {
        header.programTitle = programTitle;
    }
    if (options.sourceName) {
        header.sourceName = model::bookCaption(kind).substr(0, kMaxTitleLength);
    }
    if (options.dateTime) {
        header.dateTime = printedTime(now);
    }
    return header;
}

std::vector<PrintedPage> layoutPages(const model::Category& book, const LayoutRequest& request,
                                     const PageMetrics& metrics) {
    PageWriter page(request, metrics);
    page.startPage();
    writeHeader(page, request.header);
    page.finishPageWhenFull();
    const bool iden = book.kind() == model::kBookNextel;
    const int slots = static_cast<int>(book.slotCount());
    for (int slot = 0; slot < slots; ++slot) {
        if (book.isEmpty(slot)) {
            continue;
        }
        if (book.isMessages()) {
            if (book.isDeletedMessage(slot) && !request.deletedMessages) {
                continue;
            }
            writeMessage(page, slot, *book.message(slot));
        } else {
            writeEntry(page, slot, *book.entry(slot), iden);
        }
        page.finishPageWhenFull();
    }
    page.finishPage();
    return page.take();
}

} // namespace pelmora::print
