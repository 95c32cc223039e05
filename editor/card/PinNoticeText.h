#pragma once
// The user's words for what a PIN flow reports on its way, the same in the
// window and in velmet-cli.

#include "PinPrompter.h"

#include <cstdint>
#include <string>

namespace pelmora::model {

// type: 1 or 2, the PIN the flow works on.
[[nodiscard]] std::u16string pinNoticeText(PinNotice notice, int type);

// Whether the card's answer to a PIN says nothing about the PIN: the command
// was not understood or not carried out (67, 6B, 6D, 6E, 6F XX).
[[nodiscard]] bool isNoPinVerdict(int32_t lastError);
// The card answered PIN type with lastError; its attempts left before and after.
[[nodiscard]] std::u16string pinCardErrorText(int type, int32_t lastError, int attemptsBefore,
                                              int attemptsAfter);

} // namespace pelmora::model
