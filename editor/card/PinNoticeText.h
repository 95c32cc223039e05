#pragma once
// The user's words for what a PIN flow reports on its way.

#include "PinPrompter.h"

#include <string>

namespace pelmora::model {

// type: 1 or 2, the PIN the flow works on.
[[nodiscard]] std::u16string pinNoticeText(PinNotice notice, int type);

} // namespace pelmora::model
