#pragma once
// Card-wide attributes where real cards differ from one another.

#include <cstdint>

namespace virtualsim {

struct CardOptions {
    // TS 51.011 9.2.1 byte 14 without the CHV1 bit: clock stop allowed, 3 V technology.
    uint8_t fileCharacteristics = 0x11;
    // TS 51.011 9.4.6 lets SW2 of 67xx give the correct length or 00.
    bool wrongLengthGivesLength = true;
    uint8_t chvAttempts = 3;
    uint8_t unblockAttempts = 10;
    // A UICC answers class 00 (TS 102 221); class A0 as well when dual-mode.
    bool uicc = false;
    bool answersGsmClass = true;

    bool operator==(const CardOptions&) const = default;
};

} // namespace virtualsim
