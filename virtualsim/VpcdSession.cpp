#include "VpcdSession.h"

#include "T0Command.h"

namespace virtualsim {

std::optional<std::vector<uint8_t>> VpcdSession::handle(std::span<const uint8_t> message) {
    if (message.empty())
        return std::nullopt;
    if (message.size() == 1) {
        switch (message[0]) {
        case kPowerOff:
            m_powered = false;
            break;
        case kPowerOn:
        case kReset:
            // Either way the card starts afresh: security state gone, MF selected.
            m_card.powerCycle();
            m_powered = true;
            break;
        case kAtrRequest:
            return m_card.atr();
        default:
            break; // commands this card side does not know are ignored
        }
        return std::nullopt;
    }
    if (!m_powered) {
        // The driver powers a card it has seen inserted before sending it
        // commands; a command to an unpowered card means the driver missed the
        // change of card between two connections (it never saw the reader
        // empty). Power the card as on insertion: an empty answer would leave
        // the driver waiting for ever.
        m_card.powerCycle();
        m_powered = true;
    }
    return m_card.transmit(toT0Command(message));
}

} // namespace virtualsim
