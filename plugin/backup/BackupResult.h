#pragma once
// The result of a backup or restore that went through every record.

#include "card/CallOutcome.h"
#include "card/SIMCard.h"

namespace brontel {

// 1 when nothing failed, with the connection's last error cleared: the files
// the card lacks were passed over, not failed. Otherwise 0, with the first
// failure as the connection's last error.
[[nodiscard]] inline int finishCall(const CallOutcome& outcome, SIMCard& card) {
    const int result = outcome.finish(card);
    if (result == 1) {
        card.set_last_error(0, 0);
    }
    return result;
}

} // namespace brontel
