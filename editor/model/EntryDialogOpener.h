#pragma once
// What the Add and Edit commands open for one entry of a book: which slot,
// which dialog, its title and icon, or the message that the book is full.

#include <vector>

namespace pelmora::model {

class Category;

enum class EntryDialogKind { None, Simple, Iden };

struct EntryDialogOpening {
    EntryDialogKind dialog = EntryDialogKind::None;
    int slot = -1;        // the slot edited
    int titleText = 0;    // 43 for a new entry, 146 iDEN, 145 other books
    bool addIcon = false; // ADD_ICON for a new entry, else EDIT_ICON
    int messageText = 0;  // 120: the book is full and may not grow
};

inline constexpr int kBookFullText = 120;

// slot -1 adds an entry in the first empty slot; with none, a book that may
// grow (a file document's) gets one slot more, any other is full. Messages
// open no dialog (a grown message store keeps its new slot).
[[nodiscard]] EntryDialogOpening openEntryDialog(Category& category, int slot, bool mayGrow);

// The position drop-down: the edited slot first, then every other empty slot
// in ascending order.
[[nodiscard]] std::vector<int> entryPositions(const Category& category, int slot);

} // namespace pelmora::model
