#pragma once
// get_phone_book for the books under DF telecom.

#include "Brontel.h"
#include "card/FileId.h"
#include "card/SimFileInfo.h"

namespace brontel {

class SIMCard;

// The attributes a read reports about a book's file.
void reportFileAttributes(PhoneBookRequest& request, const SimFileInfo& info);

// With no entry array: the book's description and record count. With room for
// every record: each record decoded into its entry, long numbers joined with
// their extension records.
[[nodiscard]] int readStandardBook(SIMCard& card, FileId ef, PhoneBookRequest& request);

} // namespace brontel
