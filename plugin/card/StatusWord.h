#pragma once
// The two status bytes that end every card response, and their judgement
// (3GPP TS 51.011 9.4).

#include <cstdint>

namespace brontel {

struct StatusWord {
    uint8_t sw1 = 0;
    uint8_t sw2 = 0;

    [[nodiscard]] constexpr uint16_t value() const { return static_cast<uint16_t>(sw1 << 8 | sw2); }
    friend constexpr bool operator==(StatusWord, StatusWord) = default;
};

// Plug-in error codes for the status words that count as failures. There is
// no code -1.
enum SimError : int32_t {
    kSimErrorNone = 0,
    kSimErrorMemoryProblem = -2,
    kSimErrorUpdateWithRetries = -3,
    kSimErrorNoEfSelected = -4,
    kSimErrorOutOfRange = -5,
    kSimErrorFileNotFound = -6,
    kSimErrorFileInconsistent = -7,
    kSimErrorNoChvInitialised = -8,
    kSimErrorAccessNotFulfilled = -9,
    kSimErrorContradictsChvStatus = -10,
    kSimErrorContradictsInvalidation = -11,
    kSimErrorChvBlocked = -12,
    kSimErrorIncreaseNotPossible = -13,
    kSimErrorWrongLength = -14,
    kSimErrorWrongParameters = -15,
    kSimErrorUnknownInstruction = -16,
    kSimErrorWrongClass = -17,
    kSimErrorTechnicalProblem = -18,
};

struct StatusWordVerdict {
    bool success = false;
    int32_t simError = kSimErrorNone;
    friend constexpr bool operator==(StatusWordVerdict, StatusWordVerdict) = default;
};

// Whether a command ended well, and the plug-in code of a failing word. A
// status word outside the table is a failure with code 0.
[[nodiscard]] StatusWordVerdict judge(StatusWord sw);

} // namespace brontel
