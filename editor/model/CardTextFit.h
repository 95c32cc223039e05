#pragma once
// How a name or dialling number of a phone book comes out of the card's
// record: measured with the encoders the plug-in writes with, so that
// an entry that would be cut is known before anything is written.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace pelmora::model {

struct CardText {
    std::u16string stored; // what the card would hold
    bool fits = true;      // stored is the text unchanged
};

// Bytes of the alpha identifier in a record of the book (0 for a record too
// short to hold one).
[[nodiscard]] size_t alphaFieldBytes(uint16_t bookKind, int recordLength);

// The name as an alpha identifier of fieldBytes bytes holds it, in the first
// encoding that takes every character.
[[nodiscard]] CardText nameOnCard(std::u16string_view name, size_t fieldBytes);

// The name as an iDEN record of recordLength bytes holds it, in the ANSI code
// page the plug-in writes it in.
[[nodiscard]] CardText idenNameOnCard(std::u16string_view name, int recordLength);

// The number as the record and an extension record hold it.
[[nodiscard]] CardText numberOnCard(std::u16string_view number);

} // namespace pelmora::model
