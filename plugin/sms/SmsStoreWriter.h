#pragma once
// set_sms: the changed entries written to their records of EF SMS.

#include "Brontel.h"

namespace brontel {

class SIMCard;

// Entry j goes to record j + 1. Deleting and undeleting rewrite the record's
// status only, and only when the record could be read; new and edited
// messages are stored as messages to be sent.
[[nodiscard]] int writeSmsStore(SIMCard& card, const SmsRequest& request);

} // namespace brontel
