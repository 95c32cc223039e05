#pragma once
// READ BINARY and UPDATE BINARY on the current transparent EF (TS 51.011 8.3, 8.4).

#include "CardState.h"

namespace virtualsim {

class BinaryCommands {
public:
    static Response read(CardState& state, const Apdu& apdu);
    static Response update(CardState& state, const Apdu& apdu);
};

} // namespace virtualsim
