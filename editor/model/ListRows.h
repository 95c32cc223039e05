#pragma once
// What the entry list shows: which slot each row stands for and the text of
// each cell.

#include "SystemTime.h"

#include <string>
#include <string_view>
#include <vector>

namespace pelmora::model {

class Category;

// Phone books: every slot in order. Messages: every message in slot order (a
// message deleted on the card only with showDeletedMessages), then every
// empty slot, so that a row typed into never lands on a stored message.
[[nodiscard]] std::vector<int> listRowSlots(const Category& category, bool showDeletedMessages);

// The text of column (as listColumns numbers them) for the slot; column 0 is
// the 1-based slot number. datePicture is the short date format.
[[nodiscard]] std::u16string cellText(const Category& category, int slot, int column,
                                      std::u16string_view datePicture);

// The short date, a blank and the 24-hour time; empty for a message without
// a time stamp.
[[nodiscard]] std::u16string messageTimeText(const SystemTime& time,
                                             std::u16string_view datePicture);

} // namespace pelmora::model
