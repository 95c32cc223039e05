#pragma once
// How much the in-place edit of a list cell takes.

#include <cstddef>
#include <string_view>

namespace pelmora::model {

class Category;

// Characters the cell's edit takes; 0 for a cell that is not edited.
[[nodiscard]] size_t cellCharacterLimit(const Category& category, int column);

// Whether the text fits the cell: within the character limit and, for a name
// of a standard book whose record length the card reported, within the bytes
// its alpha field has in the encoding the name needs (a UCS2 name on a
// 14-byte field holds 6 characters).
[[nodiscard]] bool cellTextFits(const Category& category, int column, std::u16string_view text);

} // namespace pelmora::model
