#pragma once
// Delete, Up and Down on the selected rows of the entry list, and restoring
// messages deleted on the card.

#include <span>

namespace pelmora::model {

class Category;
class CategoryObserver;

enum class MoveDirection { Up, Down };

// Phone books: the selected slots are emptied in one undo step; with
// compaction on, the later entries close the gaps. Messages are marked deleted
// (and written back to the card as such) without an undo step. Returns whether
// anything was done.
bool deleteRows(Category& category, std::span<const int> selectedSlots, bool simWithoutHoles,
                CategoryObserver* observer);

// Moves every selected, non-empty entry one slot, the entry beside it passing
// to the other side; each swap is its own undo step. A selected entry at the
// edge stops the whole move. Returns the number of swaps.
int moveRows(Category& category, std::span<const int> selectedSlots, MoveDirection direction,
             bool simWithoutHoles, CategoryObserver* observer);

void restoreDeletedMessages(Category& category, std::span<const int> selectedSlots,
                            CategoryObserver* observer);

} // namespace pelmora::model
