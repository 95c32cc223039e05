#include "RowImporter.h"

#include "AdditionalValues.h"
#include "Category.h"
#include "CsvRow.h"
#include "FieldRules.h"
#include "LangText.h"
#include "Records.h"
#include "VcardTexts.h"

#include <algorithm>
#include <string>

namespace pelmora::model {

namespace {

// Letters that name the extra entries made from columns 2 to 7 of a row.
constexpr std::u16string_view kColumnLetters[] = {u"W", u"H", u"M", u"F", u"P", u"O"};

std::u16string_view columnLetter(size_t column) {
    return column >= 2 && column < 8 ? kColumnLetters[column - 2] : std::u16string_view{};
}

// Line breaks inside a quoted field become blanks.
std::u16string cleaned(const TextRow& row, size_t column) {
    if (column >= row.size()) {
        return {};
    }
    std::u16string text = row[column];
    std::replace_if(
        text.begin(), text.end(), [](char16_t c) { return c == u'\r' || c == u'\n'; }, u' ');
    return text;
}

std::u16string derivedName(std::u16string_view name, std::u16string_view letter) {
    std::u16string out(name);
    out.push_back(u'/');
    out.append(letter);
    return out;
}

} // namespace

RowImporter::RowImporter(Category& book, const ImportRules& rules)
    : m_book(book), m_rules(rules), m_numbers(SpeedDialNumbers::ofCategory(book)) {}

size_t RowImporter::importRows(std::span<const TextRow> rows) {
    prepare(rows.size());
    size_t imported = 0;
    for (const TextRow& row : rows) {
        m_row = imported;
        if (!importRow(row)) {
            break;
        }
        ++imported;
    }
    return imported;
}

void RowImporter::prepare(size_t rowCount) {
    if (!m_rules.growBook) {
        return;
    }
    size_t empty = 0;
    for (int slot = 0; slot < static_cast<int>(m_book.slotCount()); ++slot) {
        empty += m_book.isEmpty(slot);
    }
    if (empty < rowCount) {
        const size_t wanted = m_book.slotCount() + (rowCount - empty);
        m_book.grow(static_cast<uint32_t>(std::min<size_t>(wanted, Category::kMaxSlots)));
        m_numbers.grow(m_book.slotCount());
    }
}

int RowImporter::emptySlotFrom(int slot) {
    const int count = static_cast<int>(m_book.slotCount());
    for (; slot < count; ++slot) {
        if (m_book.isEmpty(slot)) {
            return slot;
        }
    }
    if (m_rules.growBook && m_book.grow(m_book.slotCount() + 1)) {
        m_numbers.grow(m_book.slotCount());
        return count;
    }
    return -1;
}

int RowImporter::takeNumber() {
    int number = m_numbers.takeLowest();
    // Every value of an iDEN contact occupies a card record of its own: a
    // book that may grow gets one more record for it.
    if (number == 0 && m_rules.growBook && m_book.grow(m_book.slotCount() + 1)) {
        m_numbers.grow(m_book.slotCount());
        number = m_numbers.takeLowest();
    }
    return number;
}

std::u16string RowImporter::storableNumber(const std::u16string& text, int k) {
    const size_t capacity = entryValueWidth(k) + 1;
    if (text.empty() ||
        (consistsOf(text, kNumberCharacters) && cutToWidth(text, capacity).size() == text.size())) {
        return text;
    }
    std::u16string kept;
    bool digit = false;
    for (char16_t c : text) {
        if (kNumberCharacters.find(c) != std::u16string_view::npos) {
            kept.push_back(c);
            digit = digit || (c >= u'0' && c <= u'9');
        }
    }
    if (!digit) {
        kept.clear();
    }
    const std::u16string fitted(cutToWidth(kept, capacity));
    m_changes.push_back({m_row, text, fitted, true, fitted.size() < kept.size()});
    kept = fitted;
    return kept;
}

void RowImporter::noteLeftOut(const std::u16string& text, bool number) {
    m_changes.push_back({m_row, text, {}, number});
}

void RowImporter::store(int slot, const PhoneBookEntry& entry) {
    if (m_rules.takeSnapshots) {
        if (m_rowSnapshotTaken) {
            m_book.snapshotIntoNewestGroup(slot);
        } else {
            m_book.snapshot(slot, Category::kNewGroup, slot);
            m_rowSnapshotTaken = true;
        }
    }
    *m_book.entry(slot) = entry;
    m_book.notifySlotsChanged(slot, slot);
    m_lastSlot = slot;
}

bool RowImporter::importRow(const TextRow& row) {
    const int slot = emptySlotFrom(m_cursor);
    if (slot < 0) {
        return false;
    }
    m_rowSnapshotTaken = false;
    if (m_book.kind() == kBookNextel) {
        importIdenRow(slot, row);
    } else if (m_book.kind() == kBookUsim) {
        importUsimRow(slot, row);
    } else {
        importOrdinaryRow(slot, row);
    }
    m_cursor = m_book.isEmpty(slot) ? slot : slot + 1;
    return true;
}

bool RowImporter::takeNameAndNumber(const TextRow& row, PhoneBookEntry& entry) {
    const std::u16string name = cleaned(row, 0);
    if (name.empty() && !m_rules.allowEmptyNameContacts) {
        return false;
    }
    setFieldText(entry.name, name);
    setFieldText(entry.value0, storableNumber(cleaned(row, 1), kValueMain));
    return true;
}

void RowImporter::importOrdinaryRow(int slot, const TextRow& row) {
    PhoneBookEntry entry{};
    if (!takeNameAndNumber(row, entry)) {
        return;
    }
    const std::u16string name = cleaned(row, 0);
    if (!isEmptyRecord(entry)) {
        store(slot, entry);
    }

    int lastWritten = slot;
    for (size_t column = 2; column < row.size(); ++column) {
        const std::u16string value = storableNumber(cleaned(row, column), kValueMain);
        if (value.empty()) {
            continue;
        }
        const std::u16string extraName = derivedName(name, columnLetter(column));
        if (fieldText(entry.value0).empty()) {
            setFieldText(entry.name, extraName);
            setFieldText(entry.value0, value);
            store(slot, entry);
            continue;
        }
        const int extra = emptySlotFrom(lastWritten + 1);
        if (extra < 0) {
            break;
        }
        PhoneBookEntry another{};
        setFieldText(another.name, extraName);
        setFieldText(another.value0, value);
        store(extra, another);
        lastWritten = extra;
    }
}

void RowImporter::importIdenRow(int slot, const TextRow& row) {
    const std::u16string name = cleaned(row, 0);
    if (name.empty() && !m_rules.allowEmptyNameContacts) {
        return;
    }
    PhoneBookEntry entry{};
    setFieldText(entry.name, name);
    std::vector<int> taken;
    const size_t columns = std::min(row.size(), kIdenCsvColumns.size());
    for (size_t column = 1; column < columns; ++column) {
        const int k = kIdenCsvColumns[column];
        const bool numberColumn = column < 8;
        const std::u16string text = cleaned(row, column);
        const std::u16string value(
            cutToWidth(numberColumn ? storableNumber(text, k) : text, entryValueWidth(k) + 1));
        if (value.empty()) {
            continue;
        }
        if (!cardCanHold(kBookNextel, k, value)) {
            noteLeftOut(text, numberColumn);
            continue;
        }
        const int number = takeNumber();
        if (number == 0) {
            if (column == 2) {
                // No card record left for the first of the typed numbers:
                // the contact is dropped whole.
                for (int n : taken) {
                    m_numbers.release(n);
                }
                return;
            }
            continue;
        }
        taken.push_back(number);
        setEntryValue(entry, k, value);
        entry.recordNumbers[k] = number;
    }
    if (!isEmptyRecord(entry)) {
        store(slot, entry);
    }
}

void RowImporter::importUsimRow(int slot, const TextRow& row) {
    PhoneBookEntry entry{};
    if (!takeNameAndNumber(row, entry)) {
        return;
    }
    const std::span<const AdditionalValue> extras = additionalValues(kBookUsim);
    for (size_t i = 0; i < extras.size() && i + 2 < row.size(); ++i) {
        const int k = extras[i].value;
        const bool number = isUsimNumberValue(k);
        const std::u16string text = cleaned(row, i + 2);
        setEntryValue(
            entry, k,
            cutToWidth(number ? storableNumber(text, kValueMain) : text, entryValueWidth(k) + 1));
    }
    if (!isEmptyRecord(entry)) {
        store(slot, entry);
    }
}

std::vector<std::u16string> importChangeNotes(const std::vector<ImportChange>& changes,
                                              int firstLine) {
    constexpr int kNumberKeptText = 980;
    constexpr int kNumberCutText = 1255;
    std::vector<std::u16string> notes;
    for (const ImportChange& change : changes) {
        const int line = static_cast<int>(change.row) + firstLine;
        if (!change.kept.empty()) {
            notes.push_back(velmet::langText(change.cut ? kNumberCutText : kNumberKeptText, line,
                                             change.text, change.kept));
        } else {
            notes.push_back(velmet::langText(
                change.number ? kVcardNotANumberText : kVcardNotAValueText, line, change.text));
        }
    }
    return notes;
}

} // namespace pelmora::model
