#pragma once
// The commands of a UICC (TS 102 221 10 and 11): SELECT by identifier, path
// or application name with the FCP in the answer, STATUS, GET RESPONSE and
// the PIN commands by key reference. READ and UPDATE reuse the GSM handlers,
// whose status words are told the UICC way.

#include "CardState.h"

namespace virtualsim {

class UiccCommands {
public:
    static Response select(CardState& state, const Apdu& apdu);
    static Response status(CardState& state, const Apdu& apdu);
    static Response getResponse(CardState& state, const Apdu& apdu);
    static Response verify(CardState& state, const Apdu& apdu);
    static Response change(CardState& state, const Apdu& apdu);
    static Response disable(CardState& state, const Apdu& apdu);
    static Response enable(CardState& state, const Apdu& apdu);
    static Response unblock(CardState& state, const Apdu& apdu);

    // A GSM handler's answer with its status word told as a UICC tells it.
    template <Response (*Gsm)(CardState&, const Apdu&)>
    static Response translated(CardState& state, const Apdu& apdu) {
        Response response = Gsm(state, apdu);
        response.sw = uiccWord(apdu.ins, response.sw);
        return response;
    }

    [[nodiscard]] static StatusWord uiccWord(uint8_t ins, StatusWord gsm);
};

} // namespace virtualsim
