#pragma once
// Filling the card-information record from a connected card: PIN state and
// ATR always, identities, provider, phase, location and a book's attributes
// when details are asked for.

#include "Brontel.h"

namespace brontel {

class SIMCard;

// 0 only when the master file cannot be selected or described; a missing or
// unusable optional file leaves its fields empty.
int readSimInfo(SIMCard& card, SimInfo& info);

} // namespace brontel
