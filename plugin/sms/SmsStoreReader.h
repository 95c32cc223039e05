#pragma once
// get_sms: the records of EF SMS read into the editor's entries.

#include "Brontel.h"

namespace brontel {

class SIMCard;

// With no entry array, or room for fewer entries than the file has records:
// the record count. Otherwise record i is decoded into entry i - 1; a record
// that is free, cannot be read or does not decode leaves its entry as it was.
[[nodiscard]] int readSmsStore(SIMCard& card, SmsRequest& request);

} // namespace brontel
