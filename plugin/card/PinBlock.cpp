#include "card/PinBlock.h"

#include "SecureZero.h"

namespace brontel {

PinBlock::PinBlock(std::string_view code) {
    m_bytes.fill(0xFF);
    for (size_t i = 0; i < code.size() && i < kSize && code[i] != '\0'; ++i) {
        m_bytes[i] = static_cast<uint8_t>(code[i]);
    }
}

PinBlock::~PinBlock() {
    pelmora::platform::secureZero(m_bytes.data(), m_bytes.size());
}

} // namespace brontel
