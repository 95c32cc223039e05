#include "CharacterFilter.h"

#include <algorithm>

namespace pelmora::model {

FilteredText filterCharacters(std::u16string_view text, std::u16string_view allowed,
                              size_t selectionStart) {
    FilteredText out;
    out.text.reserve(text.size());
    for (char16_t c : text) {
        if (allowed.find(c) != std::u16string_view::npos) {
            out.text.push_back(c);
        }
    }
    out.changed = out.text.size() != text.size();
    if (out.changed) {
        out.caret = std::min(selectionStart > 0 ? selectionStart - 1 : 0, out.text.size());
    }
    return out;
}

} // namespace pelmora::model
