#include "CsvFile.h"

#include "Category.h"
#include "CodePage.h"
#include "CsvTokenizer.h"
#include "FileDocument.h"
#include "LangText.h"
#include "Records.h"
#include "RowImporter.h"
#include "Utf16Bytes.h"

#include <optional>

namespace pelmora::model {

namespace {

bool writesBook(const Category& book, const PhoneBookFileOptions& options) {
    if (!book.isPhoneBook() || book.slotCount() == 0) {
        return false;
    }
    // The USIM book is a modern card's main phone book, as the ADN book is an older one's.
    return !options.saveOnlyAdnCsv || book.kind() == kBookAdn || book.kind() == kBookNextel ||
           book.kind() == kBookUsim;
}

// The layout a book's rows are written in.
uint16_t layoutOf(uint16_t kind) {
    return kind == kBookNextel || kind == kBookUsim ? kind : uint16_t{kBookAdn};
}

// The books a file of the layout fills with its rows (beside the layout's
// own, when not only that one is made): the ordinary book takes each row's
// name and number, the iDEN book reads only its own columns.
bool takesRows(uint16_t kind, uint16_t layoutBook) {
    if (kind == layoutBook || kind == kBookAdn) {
        return true;
    }
    return kind == kBookNextel && layoutBook != kBookUsim;
}

} // namespace

CsvContent writeCsv(const Document& document, char16_t separator, const CsvHeaderTexts& header,
                    const PhoneBookFileOptions& options) {
    CsvContent content;
    std::u16string body;
    // The header takes the layout of the first book whose rows the file
    // holds: a file of ADN rows under iDEN titles would open as the iDEN book.
    std::optional<uint16_t> layout;
    for (const std::unique_ptr<Category>& book : document.categories()) {
        if (!writesBook(*book, options)) {
            continue;
        }
        for (const PhoneBookEntry& entry : book->entries()) {
            if (isEmptyRecord(entry)) {
                continue;
            }
            if (!layout) {
                layout = layoutOf(book->kind());
            }
            body += formatCsvRow(csvColumns(entry, book->kind()), separator);
        }
        content.books.push_back(book.get());
    }
    std::u16string text = formatCsvRow(csvHeader(header, layout.value_or(kBookAdn)), separator);
    text += body;

    if (options.saveCsvAnsi) {
        bool lossless = true;
        std::string ansi = platform::toAnsi(text, &lossless);
        if (lossless) {
            content.bytes.assign(ansi.begin(), ansi.end());
            return content;
        }
        content.ansiWouldLoseText = true;
    }
    content.utf16 = true;
    content.bytes = {0xFF, 0xFE};
    const std::vector<uint8_t> units = utf16LittleEndianBytes(text);
    content.bytes.insert(content.bytes.end(), units.begin(), units.end());
    return content;
}

CsvDocument readCsv(std::span<const uint8_t> bytes, std::u16string_view name, char16_t separator,
                    const PhoneBookFileOptions& options) {
    CsvDocument result;
    DecodedText decoded = decodeTextFile(bytes);
    result.encoding = decoded.encoding;
    const std::vector<TextRow> rows = tokenizeRows(decoded.text, separator);
    const size_t columns = rows.empty() ? 0 : rows.front().size();
    const std::span<const TextRow> body =
        rows.empty() ? std::span<const TextRow>() : std::span<const TextRow>(rows).subspan(1);
    result.rows = body.size();
    result.layoutBook = csvLayoutBook(columns);

    result.document = std::make_unique<FileDocument>(name);
    FileDocument& document = *result.document;
    const BookCapacities& sizes = options.capacities;
    // A file keeps what it holds: entries without a name are no import of the
    // user's, they may come from a card.
    const ImportRules rules{true, true, false};
    for (uint16_t kind : kBookFileOrder) {
        const bool made = options.saveOnlyAdnCsv
                              ? kind == result.layoutBook
                              : kind != kBookUsim || result.layoutBook == kBookUsim;
        if (!made) {
            continue;
        }
        Category& book = document.addCategory(kind, sizes.forKind(kind));
        if (!takesRows(kind, result.layoutBook)) {
            continue;
        }
        RowImporter importer(book, rules);
        importer.importRows(body);
        if (kind == result.layoutBook) {
            // The header is line 1.
            result.warnings = importChangeNotes(importer.changes(), 2);
        }
    }
    document.markAllUnchanged();
    return result;
}

} // namespace pelmora::model
