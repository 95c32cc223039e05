#pragma once
// Contacts as clipboard text: the rows of a .csv body, without a header, in
// UTF-16 and the user's list separator.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::model {

class Category;
class CategoryObserver;

// One row per selected, non-empty entry in slot order; empty for messages.
[[nodiscard]] std::u16string copyRows(const Category& book, std::span<const int> selectedSlots,
                                      char16_t separator);

struct PasteOptions {
    bool allowEmptyNameContacts = false;
    // The book belongs to a file document and grows as the rows need.
    bool fileBook = false;
};

// Imports the rows into the book, one undo step per row, refills the list and
// selects the last pasted entry. Returns the number of rows pasted; notes
// receives a line for every number or value the book holds otherwise than
// pasted, or left out.
size_t pasteRows(Category& book, std::u16string_view text, char16_t separator,
                 const PasteOptions& options, CategoryObserver* observer,
                 std::vector<std::u16string>* notes = nullptr);

} // namespace pelmora::model
