#pragma once
// What of a book would not reach the card as it is: looked at before Write
// SIM writes anything, so that the user decides while nothing is changed.

#include "Brontel.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pelmora::model {

class Category;

enum class MisfitReason {
    BeyondRecords,      // the slot has no record on the card
    NameCut,            // the name needs more bytes than its field has, or characters the card lacks
    NumberCut,          // the number has characters the card cannot store
    ValueBeyondRecords, // an iDEN value whose speed-dial number has no record
    ValueWithoutRoom,   // a USIM value the card's book has no file for
};

struct Misfit {
    int slot = 0;
    MisfitReason reason = MisfitReason::BeyondRecords;
    std::u16string text;    // the name, number or value as the book holds it
    std::u16string becomes; // what the card would hold ("" for nothing)
    int valueIndex = -1;    // the iDEN or USIM value (PhoneBookValue), else -1
};

// Records of the book as its file description gives them; -1 when unknown.
[[nodiscard]] int cardRecordCount(const SimInfo& book);

// Every non-empty slot, name, number or additional value of the category that
// the card's book (its attributes as card information reported them, and the
// values it has no room for as its description gave them: bit k for value k)
// would not hold as it is, in slot order. Empty slots beyond the records are
// no loss.
[[nodiscard]] std::vector<Misfit> entriesThatDoNotFit(const Category& category, const SimInfo& book,
                                                      uint32_t valuesWithoutRoom);

} // namespace pelmora::model
