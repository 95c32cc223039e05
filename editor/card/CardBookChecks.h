#pragma once
// Looks at the card's own book before a Write SIM replaces it: a book that
// holds no entry must not erase the card's unasked, and a book the user may
// not update is compared rather than attempted.

#include "CardDocument.h"
#include "Category.h"
#include "PluginCalls.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace pelmora::model {

// The card's book of this kind; nothing when the card does not give it in full.
[[nodiscard]] std::optional<std::vector<PhoneBookEntry>>
readCardBook(const PluginCalls& calls, CardDocument& card, uint16_t kind);

// The additional values (bit k for value k) that the card's book of this kind
// has no room for, as the book describes itself; none for a book without
// additional values or one that does not describe itself.
[[nodiscard]] uint32_t cardValuesWithoutRoom(const PluginCalls& calls, CardDocument& card,
                                             uint16_t kind);

// A phone book with slots, none of which holds an entry.
[[nodiscard]] bool holdsNoEntry(const Category& book);

// Whether the card's book of this kind holds an entry; a book the card does
// not give in full counts as holding some.
[[nodiscard]] bool cardBookHoldsEntries(const PluginCalls& calls, CardDocument& card,
                                        uint16_t kind);

// Whether the book's entries, in order and without empty slots, differ from
// the card's; a book the card does not give in full, and any book of
// messages, counts as differing.
[[nodiscard]] bool differsFromCardBook(const PluginCalls& calls, CardDocument& card,
                                       const Category& book);

} // namespace pelmora::model
