#pragma once
// SELECT, STATUS, GET RESPONSE, INVALIDATE and REHABILITATE (TS 51.011 8.1,
// 8.2, 8.14, 8.15, 9.2).

#include "CardState.h"

namespace virtualsim {

class FileCommands {
public:
    static Response select(CardState& state, const Apdu& apdu);
    static Response status(CardState& state, const Apdu& apdu);
    static Response getResponse(CardState& state, const Apdu& apdu);
    static Response invalidate(CardState& state, const Apdu& apdu);
    static Response rehabilitate(CardState& state, const Apdu& apdu);
};

} // namespace virtualsim
