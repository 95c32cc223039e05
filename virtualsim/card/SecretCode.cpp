#include "SecretCode.h"

#include "SecureZero.h"

#include <algorithm>

namespace virtualsim {

std::optional<CodeBlock> codeBlockFromText(std::string_view text) {
    if (text.empty() || text.size() > 8) {
        return std::nullopt;
    }
    CodeBlock block;
    block.fill(0xFF);
    std::copy(text.begin(), text.end(), block.begin());
    return block;
}

std::string codeBlockText(const CodeBlock& block) {
    std::string text;
    for (uint8_t b : block) {
        if (b == 0xFF) {
            break;
        }
        text.push_back(static_cast<char>(b));
    }
    return text;
}

SecretCode::SecretCode(const CodeBlock& value, uint8_t maxAttempts, uint8_t remaining)
    : m_value(value), m_maxAttempts(std::min<uint8_t>(maxAttempts, 15)),
      m_remaining(std::min(remaining, m_maxAttempts)), m_initialised(true) {}

SecretCode::~SecretCode() {
    // Secret values do not outlive their card in freed memory.
    pelmora::platform::secureZero(m_value.data(), m_value.size());
}

SecretCode::Outcome SecretCode::present(std::span<const uint8_t> block) {
    if (blocked()) {
        return Outcome::Blocked;
    }
    uint8_t difference = block.size() == m_value.size() ? 0 : 1;
    for (size_t i = 0; i < m_value.size() && i < block.size(); ++i) {
        difference |= static_cast<uint8_t>(m_value[i] ^ block[i]);
    }
    if (difference == 0) {
        resetCounter();
        return Outcome::Accepted;
    }
    --m_remaining;
    return m_remaining == 0 ? Outcome::Blocked : Outcome::Rejected;
}

uint8_t SecretCode::statusByte() const {
    return m_initialised ? static_cast<uint8_t>(0x80 | (m_remaining & 0x0F)) : 0x00;
}

} // namespace virtualsim
