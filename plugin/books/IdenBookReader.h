#pragma once
// get_nextel_phone_book: the iDEN phone book read into one entry per contact.

#include "Brontel.h"

namespace brontel {

class SIMCard;

// With no entry array: the description and the record count of the value
// files. With room for every record: each value record's value stored into
// the entry of its contact, with the record's global number.
[[nodiscard]] int readIdenBook(SIMCard& card, int efId, PhoneBookRequest& request);

} // namespace brontel
