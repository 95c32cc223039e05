#pragma once
// A card as a reader sees it: an ATR, answers to command TPDUs and a power
// cycle. The PC/SC library and the vpcd bridge drive cards through this, so
// they serve profile cards and cards played by a test alike.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace virtualsim {

class SmartCard {
public:
    virtual ~SmartCard() = default;

    [[nodiscard]] virtual std::vector<uint8_t> atr() const = 0;
    // Response data followed by SW1 SW2; empty when the card does not answer.
    [[nodiscard]] virtual std::vector<uint8_t> transmit(std::span<const uint8_t> command) = 0;
    virtual void powerCycle() = 0;
    // Writes what changed on the card back where it came from. True when
    // there was nothing to write or writing succeeded.
    virtual bool persist(std::string* error) = 0;
};

} // namespace virtualsim
