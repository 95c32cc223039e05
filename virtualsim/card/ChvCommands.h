#pragma once
// VERIFY, CHANGE, DISABLE, ENABLE and UNBLOCK CHV (TS 51.011 9.2.9 to 9.2.13):
// parameter checks, then the card's security state decides.

#include "CardState.h"

namespace virtualsim {

class ChvCommands {
public:
    static Response verify(CardState& state, const Apdu& apdu);
    static Response change(CardState& state, const Apdu& apdu);
    static Response disable(CardState& state, const Apdu& apdu);
    static Response enable(CardState& state, const Apdu& apdu);
    static Response unblock(CardState& state, const Apdu& apdu);
};

} // namespace virtualsim
