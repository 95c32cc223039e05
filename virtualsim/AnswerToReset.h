#pragma once
// The transmission protocols an ATR offers (ISO/IEC 7816-3 section 8): what
// a reader may negotiate with the card, and the one it uses without PPS.

#include <cstdint>
#include <optional>
#include <span>

namespace virtualsim {

struct AnswerToReset {
    // Same bit values as pcsc-lite's SCARD_PROTOCOL_T0 and SCARD_PROTOCOL_T1.
    static constexpr uint32_t kT0 = 0x1;
    static constexpr uint32_t kT1 = 0x2;

    uint32_t offeredProtocols = 0;
    uint32_t defaultProtocol = 0;
    bool specificMode = false; // TA2 present: the card works in one protocol only

    // Nothing for an ATR that is cut short or longer than 33 bytes.
    static std::optional<AnswerToReset> parse(std::span<const uint8_t> atr);
};

} // namespace virtualsim
