#include "CellLimits.h"

#include "CardTextFit.h"
#include "Category.h"
#include "ListColumns.h"
#include "Records.h"

#include <algorithm>

namespace pelmora::model {

namespace {

constexpr size_t kMessageTextLimit = 160;
constexpr size_t kMessageNumberLimitUnknown = 20;
constexpr size_t kMessageNumberLimitKnown = 60;

int recordLength(const Category& category) {
    return category.fileDescription()[kDescribedRecordLength];
}

} // namespace

size_t cellCharacterLimit(const Category& category, int column) {
    const int length = recordLength(category);
    const bool known = length > 0;
    switch (columnRole(category.kind(), column)) {
    case ColumnRole::Name:
        // The name field holds kNameWidth characters whatever the card says.
        if (known && length > 14) {
            return std::min(static_cast<size_t>(length - 14), kNameWidth);
        }
        return known ? 0 : kNameWidth;
    case ColumnRole::Number:
        return kNumberWidth;
    case ColumnRole::MessageNumber:
    case ColumnRole::ServiceCentre:
        return known ? kMessageNumberLimitKnown : kMessageNumberLimitUnknown;
    case ColumnRole::Text:
        return kMessageTextLimit;
    default:
        return 0;
    }
}

bool cellTextFits(const Category& category, int column, std::u16string_view text) {
    if (text.size() > cellCharacterLimit(category, column)) {
        return false;
    }
    const int length = recordLength(category);
    if (columnRole(category.kind(), column) != ColumnRole::Name || length <= 0 ||
        category.kind() == kBookNextel) {
        return true;
    }
    return nameOnCard(text, alphaFieldBytes(category.kind(), length)).fits;
}

} // namespace pelmora::model
