#include "BookListing.h"

#include "BookNames.h"
#include "CsvRow.h"
#include "LangText.h"
#include "LocaleFormats.h"
#include "Records.h"
#include "Terminal.h"
#include "TextTable.h"

#include <cstdio>

namespace pelmora::cli {

namespace {

using velmet::langText;

std::u16string number(int value) {
    return utf16(std::to_string(value));
}

// A line of its own for every message: line breaks become blanks.
std::u16string oneLine(std::u16string_view text) {
    std::u16string line(text);
    for (char16_t& c : line) {
        if (c == u'\r' || c == u'\n' || c == u'\t') {
            c = u' ';
        }
    }
    return line;
}

std::u16string timeText(const SystemTime& time) {
    if (time.year == 0 && time.month == 0 && time.day == 0) {
        return {};
    }
    char clock[8];
    std::snprintf(clock, sizeof clock, "%02u:%02u", static_cast<unsigned>(time.hour % 100),
                  static_cast<unsigned>(time.minute % 100));
    return platform::formatShortDate(time) + u" " + utf16(clock);
}

size_t printEntries(const model::Category& book) {
    TextTable table;
    std::vector<std::u16string> header = model::csvHeader(model::csvHeaderTexts(), book.kind());
    header.insert(header.begin(), langText(1));
    table.addRow(std::move(header));
    size_t used = 0;
    for (int slot = 0; slot < static_cast<int>(book.slotCount()); ++slot) {
        if (book.isEmpty(slot)) {
            continue;
        }
        std::vector<std::u16string> row = model::csvColumns(*book.entry(slot), book.kind());
        row.insert(row.begin(), number(slot + 1));
        table.addRow(std::move(row));
        ++used;
    }
    if (used > 0) {
        table.dropEmptyColumns();
        table.print("  ");
    }
    return used;
}

size_t printMessages(const model::Category& book, bool showDeleted) {
    TextTable table;
    table.addRow({langText(1), langText(3), langText(82), langText(83)});
    size_t used = 0;
    for (int slot = 0; slot < static_cast<int>(book.slotCount()); ++slot) {
        const bool deleted = book.isDeletedMessage(slot);
        if (book.isEmpty(slot) || (deleted && !showDeleted)) {
            continue;
        }
        const SmsEntry& message = *book.message(slot);
        std::u16string text = oneLine(model::fieldText(message.text));
        if (deleted) {
            text = u"(deleted) " + text;
        }
        table.addRow({number(slot + 1), std::u16string(model::fieldText(message.address)),
                      timeText(message.timestamp), std::move(text)});
        ++used;
    }
    if (used > 0) {
        table.print("  ");
    }
    return used;
}

} // namespace

void printBook(const model::Category& book, bool showDeletedMessages) {
    printLine(utf8(model::bookCaption(book.kind())) + " (" + bookWord(book.kind()) + ", " +
              std::to_string(book.slotCount()) + " records)");
    const size_t used =
        book.isMessages() ? printMessages(book, showDeletedMessages) : printEntries(book);
    if (used == 0) {
        printLine("  (empty)");
    }
}

} // namespace pelmora::cli
