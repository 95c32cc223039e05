#pragma once
// Answer-to-reset checks (ISO/IEC 7816-3 8.2): a card profile's ATR must be
// well formed and offer T=0, the only protocol TS 51.011 cards must speak.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace virtualsim {

class Atr {
public:
    // Why the bytes are not a usable ATR, or nothing when they are.
    [[nodiscard]] static std::optional<std::string> problem(std::span<const uint8_t> atr);
    // The protocols the ATR indicates (T=0 when it indicates none).
    [[nodiscard]] static std::vector<int> protocols(std::span<const uint8_t> atr);
    // The ATR of a card profile that names none: direct convention, TA1 = 11
    // (Fi 372, Di 1), T=0 implied, historical bytes "VIRTUALSIM".
    [[nodiscard]] static std::vector<uint8_t> standard();
};

} // namespace virtualsim
