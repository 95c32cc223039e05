#pragma once
// The user's words for an entry that would not reach the card as it is.

#include "WriteFitCheck.h"

#include <string>

namespace pelmora::model {

// Names the position and, for a name or number that would be cut, what it
// would become; empty for an entry beyond the card's records, which the
// callers count instead.
[[nodiscard]] std::u16string misfitText(const Misfit& misfit);

} // namespace pelmora::model
