#pragma once
// Storing what the user typed into a row of the entry list (or the iDEN
// panel) back into its slot.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace pelmora::model {

class Category;

struct RowCommit {
    int slot = -1;       // the slot the row went to
    bool stored = false; // false: it equalled the stored record, no undo step was made
};

// With simWithoutHoles, a row beyond the first free slot goes to that slot
// instead, so the book keeps no gap. Each commit that changes a record is one
// undo step.

// Name and number into the stored entry, whose other fields stay. The iDEN
// book has no number column: its values stay.
RowCommit commitEntryRow(Category& category, int slot, std::u16string_view name,
                         std::u16string_view number, bool simWithoutHoles);

// The eleven values of an iDEN entry, indexed by value (see PhoneBookValue),
// with their speed-dial numbers (0 for none).
struct IdenValues {
    std::array<std::u16string, 11> values;
    std::array<int32_t, 11> speedDials{};
};
RowCommit commitIdenRow(Category& category, int slot, const IdenValues& values,
                        bool simWithoutHoles);

// The additional values of an entry of a book that has them, one text per
// value in the order additionalValues lists them; name, number and record
// numbers stay. Nothing is stored when a text is too long or holds a
// character its value cannot.
RowCommit commitAdditionalValues(Category& category, int slot,
                                 std::span<const std::u16string> texts, bool simWithoutHoles);

// A message holds only the three texts and the changed flag: a changed
// message loses its time stamp and status. Flags and time stamp do not make
// a message differ.
RowCommit commitMessageRow(Category& category, int slot, std::u16string_view number,
                           std::u16string_view serviceCentre, std::u16string_view text,
                           bool simWithoutHoles);

} // namespace pelmora::model
