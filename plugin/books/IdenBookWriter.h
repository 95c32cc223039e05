#pragma once
// set_nextel_phone_book: every record of the iDEN value files rewritten from
// the contacts' values and the global record numbers they name.

#include "Brontel.h"

namespace brontel {

class SIMCard;

[[nodiscard]] int writeIdenBook(SIMCard& card, const PhoneBookRequest& request);

} // namespace brontel
