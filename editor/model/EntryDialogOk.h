#pragma once
// OK of the entry dialogs: the typed fields into the book, with undo steps.

#include <array>
#include <string>

namespace pelmora::model {

class Category;

// What the dialog's controls hold. The simple dialog fills name and value 0;
// the iDEN dialog every value (indexed as PhoneBookValue) with the text of
// its speed-dial box.
struct EntryDialogFields {
    std::u16string name;
    std::array<std::u16string, 11> values;
    std::array<std::u16string, 11> speedDials;
};

struct EntryDialogResult {
    int slot = -1;       // the slot written; -1 when nothing changed
    int refusalText = 0; // why nothing was stored, when the user must be told
};

// The name needs text 351 when nameless entries are not allowed.
inline constexpr int kNameNeededText = 351;

// Starts from the stored entry of slot and takes the fields, each cut to its
// dialog limit. Unchanged: nothing happens. Same position: one undo step.
// Another, empty position: the old slot (when it held an entry) and the new
// slot are two undo steps, and the old slot is cleared. A position that is
// not an empty slot is refused. A non-empty entry without a name is refused
// unless allowEmptyName.
[[nodiscard]] EntryDialogResult applyEntryDialog(Category& category, int slot, int position,
                                                 const EntryDialogFields& fields,
                                                 bool allowEmptyName);

} // namespace pelmora::model
