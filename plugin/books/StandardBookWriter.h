#pragma once
// set_phone_book for the books under DF telecom.

#include "Brontel.h"
#include "card/FileId.h"

namespace brontel {

class SIMCard;

// Writes the first count entries to records 1, 2, ... (a cyclic book newest
// last, so that entry 1 ends up as record 1), long numbers continuing in
// extension records. A record that already holds its entry's name and number
// is left as the card has it.
[[nodiscard]] int writeStandardBook(SIMCard& card, FileId ef, const PhoneBookRequest& request);

} // namespace brontel
