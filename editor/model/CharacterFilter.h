#pragma once
// The filter of edit fields that take only some characters (numbers,
// e-mail addresses, iDEN values): run after every change of the field.

#include <cstddef>
#include <string>
#include <string_view>

namespace pelmora::model {

struct FilteredText {
    std::u16string text;
    size_t caret = 0;     // where the caret goes when the text changed
    bool changed = false; // false: leave the field alone
};

// Drops every character not in allowed. When that changed the text, the
// caret goes one before selectionStart (where a typed character was), within
// the filtered text.
[[nodiscard]] FilteredText filterCharacters(std::u16string_view text, std::u16string_view allowed,
                                            size_t selectionStart);

} // namespace pelmora::model
