#pragma once
// Find next, Replace and Replace all over the entries of a book, from the book's search
// position, restarting once from the first entry.

#include "FieldMatcher.h"

#include <optional>
#include <string_view>

namespace pelmora::model {

class Category;
class CategoryObserver;

// A field of a slot: for phone books kNameField or the value index; for
// messages one of the message fields.
struct SearchHit {
    int slot = -1;
    int field = 0;
};
inline constexpr int kNameField = -1;
inline constexpr int kMessageTextField = 0;
inline constexpr int kMessageAddressField = 1;
inline constexpr int kMessageServiceCentreField = 2;

// On a hit the slot is selected alone and the search position moves past it.
std::optional<SearchHit> findNext(Category& category, const SearchOptions& options,
                                  CategoryObserver* observer);

enum class ReplaceResult {
    NotFound,
    Replaced,
    Refused, // found, but the card could not store the replaced value
};

// As findNext, then the first matching field of the hit is replaced (one undo
// step) and the list refreshed; the hit stays selected.
ReplaceResult replaceNext(Category& category, const SearchOptions& options,
                          std::u16string_view replacement, CategoryObserver* observer);

struct ReplaceAllResult {
    int replaced = 0; // entries changed
    int refused = 0;  // fields left alone because the card could not store the result
};

// Every matching field of every entry is replaced (each once, as Replace
// does), all in one undo step, and the list refreshed. The search position
// stays where it was.
ReplaceAllResult replaceAll(Category& category, const SearchOptions& options,
                            std::u16string_view replacement, CategoryObserver* observer);

} // namespace pelmora::model
