#pragma once
// Add prefix: puts a dialling prefix in front of the numbers of the selected
// entries, optionally in place of their first characters.

#include "CharacterFilter.h"

#include <cstddef>
#include <span>
#include <string_view>

namespace pelmora::model {

class Category;
class CategoryObserver;

inline constexpr size_t kMaxPrefixLength = 19;

// How many leading characters may be removed: the length of the shortest
// number among the selected entries that have one, at most 61.
[[nodiscard]] size_t addPrefixLimit(const Category& category, std::span<const int> selectedSlots);

// A prefix is an optional "+" followed by digits, "*" and "#".
[[nodiscard]] bool isValidPrefix(std::u16string_view prefix);
// The prefix field's filter: a leading "+" stays, after it only digits, "*"
// and "#" (see filterCharacters for the caret).
[[nodiscard]] FilteredText filterPrefix(std::u16string_view text, size_t selectionStart);

// Every selected entry with a number gets prefix + number without its first
// removeCount characters (lowered to the limit), in one undo step. Entries
// without a number are left alone. Returns whether anything changed; false
// for a message book or an invalid prefix.
bool addPrefix(Category& category, std::span<const int> selectedSlots, std::u16string_view prefix,
               size_t removeCount, CategoryObserver* observer);

} // namespace pelmora::model
