#pragma once
// The columns of the entry list for each kind of book, and which cells the
// user may edit in place.

#include <cstdint>
#include <span>

namespace pelmora::model {

enum class ColumnRole { Slot, Name, Number, MessageNumber, ServiceCentre, Date, Text };

struct ListColumn {
    ColumnRole role;
    int headerText; // text number of the column header
};

// Slot and name for the iDEN book; slot, name and number for the other phone
// books; slot, number, service centre, date and text for messages.
[[nodiscard]] std::span<const ListColumn> listColumns(uint16_t bookKind);

// The role of a column; Slot for a column the kind does not have.
[[nodiscard]] ColumnRole columnRole(uint16_t bookKind, int column);

// Every column but the slot number and the message date.
[[nodiscard]] bool isEditableColumn(uint16_t bookKind, int column);

} // namespace pelmora::model
