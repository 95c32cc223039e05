#pragma once
// The two status bytes that end every card response, and their judgement
// (3GPP TS 51.011 9.4).

#include "Brontel.h"

#include <cstdint>

namespace brontel {

struct StatusWord {
    uint8_t sw1 = 0;
    uint8_t sw2 = 0;

    [[nodiscard]] constexpr uint16_t value() const { return static_cast<uint16_t>(sw1 << 8 | sw2); }
    friend constexpr bool operator==(StatusWord, StatusWord) = default;
};

struct StatusWordVerdict {
    bool success = false;
    int32_t simError = kSimErrorNone;
    friend constexpr bool operator==(StatusWordVerdict, StatusWordVerdict) = default;
};

// Whether a command ended well, and the plug-in code of a failing word. A
// status word outside the table is a failure with code 0.
[[nodiscard]] StatusWordVerdict judge(StatusWord sw);
// The same for a UICC's words (TS 102 221 10.2.1), told with the same codes.
[[nodiscard]] StatusWordVerdict judge_uicc(StatusWord sw);

} // namespace brontel
