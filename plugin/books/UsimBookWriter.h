#pragma once
// set_phone_book for the USIM phone book (book id kUsimPhoneBookId).

#include "Brontel.h"

namespace brontel {

class SIMCard;

[[nodiscard]] int writeUsimBook(SIMCard& card, const PhoneBookRequest& request);

} // namespace brontel
