#pragma once
// READ RECORD, UPDATE RECORD, SEEK and INCREASE on the current linear fixed or
// cyclic EF with its record pointer (TS 51.011 8.5 to 8.8).

#include "CardState.h"

namespace virtualsim {

class RecordCommands {
public:
    static Response read(CardState& state, const Apdu& apdu);
    static Response update(CardState& state, const Apdu& apdu);
    static Response seek(CardState& state, const Apdu& apdu);
    static Response increase(CardState& state, const Apdu& apdu);

    // P2 of READ RECORD and UPDATE RECORD.
    static constexpr uint8_t kNext = 0x02;
    static constexpr uint8_t kPrevious = 0x03;
    static constexpr uint8_t kAbsolute = 0x04; // P1 = 00: the current record
};

} // namespace virtualsim
