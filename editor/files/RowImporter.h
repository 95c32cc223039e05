#pragma once
// Turns text rows (a .csv body or pasted clipboard text) into entries of a
// phone book: each row fills the first empty entry; column 0 is the name,
// column 1 the number, later columns become further values (iDEN book) or
// further entries named after the contact (other books).

#include "Brontel.h"
#include "CsvTokenizer.h"
#include "SpeedDialNumbers.h"

#include <span>
#include <string>
#include <vector>

namespace pelmora::model {

class Category;

struct ImportRules {
    bool allowEmptyNameContacts = false;
    // A book of a file document grows as the rows need; a card's book is full
    // when its slots are.
    bool growBook = false;
    // Pasting: one undo step per row.
    bool takeSnapshots = false;
};

// A value of a row the book could not take as the row holds it.
struct ImportChange {
    size_t row = 0;      // index into the rows imported
    std::u16string text; // as the row holds it
    std::u16string kept; // what the entry holds instead; empty: left out
    bool number = false; // a number column, else another iDEN value
    bool cut = false;    // longer than the entry holds, and cut
};

// The user's words for each change, naming its line: the first row imported
// is line firstLine.
[[nodiscard]] std::vector<std::u16string>
importChangeNotes(const std::vector<ImportChange>& changes, int firstLine);

class RowImporter {
public:
    RowImporter(Category& book, const ImportRules& rules);

    // Imports the rows in order and stops at the first row that finds no
    // empty entry. Returns the number of rows imported.
    size_t importRows(std::span<const TextRow> rows);

    // The slot of the last entry written, -1 when none was.
    [[nodiscard]] int lastSlot() const { return m_lastSlot; }
    // Every number cut to what a card can store and every value left out.
    [[nodiscard]] const std::vector<ImportChange>& changes() const { return m_changes; }

private:
    Category& m_book;
    ImportRules m_rules;
    SpeedDialNumbers m_numbers;
    int m_cursor = 0; // every slot before it holds an entry
    int m_lastSlot = -1;
    bool m_rowSnapshotTaken = false;
    size_t m_row = 0;
    std::vector<ImportChange> m_changes;

    void prepare(size_t rowCount);
    bool importRow(const TextRow& row);
    // The row's name and main number into entry; false when a row without a
    // name is no contact.
    [[nodiscard]] bool takeNameAndNumber(const TextRow& row, PhoneBookEntry& entry);
    void importOrdinaryRow(int slot, const TextRow& row);
    void importIdenRow(int slot, const TextRow& row);
    // Name, number, then the book's additional values in their listed order.
    void importUsimRow(int slot, const TextRow& row);
    // The first empty slot from the given one on, growing the book when it
    // may; -1 when there is none.
    int emptySlotFrom(int slot);
    int takeNumber();
    // The characters of a number column a card can store, as many as value k
    // holds; empty when the column holds no digit (then it is no number).
    // Notes any change.
    std::u16string storableNumber(const std::u16string& text, int k);
    void noteLeftOut(const std::u16string& text, bool number);
    void store(int slot, const PhoneBookEntry& entry);
};

} // namespace pelmora::model
