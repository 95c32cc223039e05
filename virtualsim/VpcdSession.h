#pragma once
// The card side of the virtual ICC protocol spoken by the vsmartcard-vpcd
// reader driver: every message is a 2-byte big-endian length and a payload;
// a 1-byte payload is a control command (power off, power on, reset, ATR
// request), a longer one is a command APDU. The session answers the ATR
// request and APDUs; power commands get no answer.

#include "SmartCard.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace virtualsim {

class VpcdSession {
public:
    static constexpr uint8_t kPowerOff = 0x00;
    static constexpr uint8_t kPowerOn = 0x01;
    static constexpr uint8_t kReset = 0x02;
    static constexpr uint8_t kAtrRequest = 0x04;

    explicit VpcdSession(SmartCard& card) : m_card(card) {}

    // The payload to send back, if the message calls for one.
    std::optional<std::vector<uint8_t>> handle(std::span<const uint8_t> message);

    [[nodiscard]] bool powered() const { return m_powered; }

private:
    SmartCard& m_card;
    bool m_powered = false;
};

} // namespace virtualsim
