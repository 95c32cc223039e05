#pragma once
// The values a USIM phone-book entry carries beside its name and number: its
// further numbers, e-mail addresses and second name, in the order they are
// listed, each with the text naming it and its key in .phn files.

#include "Brontel.h"

#include <cstdint>
#include <span>

namespace pelmora::model {

struct AdditionalValue {
    int value; // index of the value in PhoneBookEntry
    int text;  // language text of its column
    char16_t phnKey;
};

// None for the books without such values (the iDEN book has its own panel).
[[nodiscard]] std::span<const AdditionalValue> additionalValues(uint16_t kind);

class Category;

// Whether the card the book was last read from has room for value k in the
// book's entries, as its description told (bit k of its last field); a book
// read from no card has room for every value.
[[nodiscard]] bool cardHasRoomFor(const Category& book, int k);

// Whether value k of a USIM entry is one of its further numbers.
[[nodiscard]] constexpr bool isUsimNumberValue(int k) {
    return k >= kUsimFirstNumberValue && k < kUsimFirstNumberValue + kUsimNumberValues;
}

} // namespace pelmora::model
