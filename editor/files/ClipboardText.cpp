#include "ClipboardText.h"

#include "Category.h"
#include "CategoryObserver.h"
#include "CsvRow.h"
#include "CsvTokenizer.h"
#include "Records.h"
#include "RowImporter.h"

#include <algorithm>
#include <vector>

namespace pelmora::model {

std::u16string copyRows(const Category& book, std::span<const int> selectedSlots,
                        char16_t separator) {
    std::vector<int> slots(selectedSlots.begin(), selectedSlots.end());
    std::sort(slots.begin(), slots.end());
    slots.erase(std::unique(slots.begin(), slots.end()), slots.end());
    std::u16string text;
    for (int slot : slots) {
        const PhoneBookEntry* entry = book.entry(slot);
        if (entry != nullptr && !isEmptyRecord(*entry)) {
            text += formatCsvRow(csvColumns(*entry, book.kind()), separator);
        }
    }
    return text;
}

size_t pasteRows(Category& book, std::u16string_view text, char16_t separator,
                 const PasteOptions& options, CategoryObserver* observer,
                 std::vector<std::u16string>* notes) {
    if (!book.isPhoneBook()) {
        return 0;
    }
    const std::vector<TextRow> rows = tokenizeRows(text, separator);
    if (rows.empty()) {
        return 0;
    }
    RowImporter importer(book, ImportRules{options.allowEmptyNameContacts, options.fileBook, true});
    const size_t pasted = importer.importRows(rows);
    if (notes != nullptr) {
        *notes = importChangeNotes(importer.changes(), 1);
    }
    if (observer) {
        observer->refillEntries(book);
        const int last = importer.lastSlot();
        if (last >= 0) {
            observer->selectSlots(book, std::span<const int>(&last, 1));
        }
    }
    return pasted;
}

} // namespace pelmora::model
