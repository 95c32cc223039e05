#include "card/Apdu.h"

#include "SecureZero.h"

#include <algorithm>

namespace brontel {

Apdu::Apdu(uint8_t ins, uint8_t p1, uint8_t p2, uint8_t p3, uint8_t cla)
    : m_bytes{cla, ins, p1, p2, p3} {}

Apdu::~Apdu() {
    pelmora::platform::secureZero(m_bytes.data(), m_bytes.size());
}

bool Apdu::append(std::span<const uint8_t> data) {
    if (data.size() > m_bytes.size() - m_size) {
        return false;
    }
    std::copy(data.begin(), data.end(), m_bytes.begin() + static_cast<std::ptrdiff_t>(m_size));
    m_size += data.size();
    return true;
}

} // namespace brontel
