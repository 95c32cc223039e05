#include "CustomCard.h"

#include <algorithm>

namespace virtualsim {

namespace {

// Data of a short response plus SW1 SW2 (ISO/IEC 7816-4: Ne at most 256).
constexpr size_t kLongestResponse = 258;

} // namespace

CustomCard::CustomCard(const VirtualSimCustomCard& callbacks)
    : m_callbacks(callbacks), m_atr(callbacks.atr, callbacks.atr + callbacks.atrLength) {
    m_callbacks.atr = nullptr;
    m_callbacks.atrLength = 0;
}

std::vector<uint8_t> CustomCard::transmit(std::span<const uint8_t> command) {
    if (!m_callbacks.transmit)
        return {};
    std::vector<uint8_t> response(kLongestResponse);
    size_t length = m_callbacks.transmit(m_callbacks.user, command.data(), command.size(),
                                         response.data(), response.size());
    response.resize(std::min(length, response.size()));
    return response;
}

void CustomCard::powerCycle() {
    if (m_callbacks.reset)
        m_callbacks.reset(m_callbacks.user);
}

} // namespace virtualsim
