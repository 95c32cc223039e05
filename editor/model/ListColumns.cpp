#include "ListColumns.h"

#include "BookKind.h"

#include <array>

namespace pelmora::model {

namespace {

constexpr std::array kNextelColumns = {ListColumn{ColumnRole::Slot, 1},
                                       ListColumn{ColumnRole::Name, 2}};
constexpr std::array kPhoneBookColumns = {ListColumn{ColumnRole::Slot, 1},
                                          ListColumn{ColumnRole::Name, 2},
                                          ListColumn{ColumnRole::Number, 3}};
constexpr std::array kMessageColumns = {
    ListColumn{ColumnRole::Slot, 1}, ListColumn{ColumnRole::MessageNumber, 3},
    ListColumn{ColumnRole::ServiceCentre, 81}, ListColumn{ColumnRole::Date, 82},
    ListColumn{ColumnRole::Text, 83}};

} // namespace

std::span<const ListColumn> listColumns(uint16_t bookKind) {
    if (bookKind == kBookNextel) {
        return kNextelColumns;
    }
    if (isMessageKind(bookKind)) {
        return kMessageColumns;
    }
    if (isPhoneBookKind(bookKind)) {
        return kPhoneBookColumns;
    }
    return {};
}

ColumnRole columnRole(uint16_t bookKind, int column) {
    const std::span<const ListColumn> columns = listColumns(bookKind);
    if (column < 0 || static_cast<size_t>(column) >= columns.size()) {
        return ColumnRole::Slot;
    }
    return columns[static_cast<size_t>(column)].role;
}

bool isEditableColumn(uint16_t bookKind, int column) {
    const ColumnRole role = columnRole(bookKind, column);
    return role != ColumnRole::Slot && role != ColumnRole::Date;
}

} // namespace pelmora::model
