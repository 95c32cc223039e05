#pragma once
// get_phone_book for the USIM phone book (book id kUsimPhoneBookId).

#include "Brontel.h"

namespace brontel {

class SIMCard;

[[nodiscard]] int readUsimBook(SIMCard& card, PhoneBookRequest& request);

} // namespace brontel
