#pragma once
// A CHV or an UNBLOCK CHV with its counter of remaining false presentations
// (TS 51.011 8.9 to 8.13). Codes travel as 8-byte blocks: the digits as ASCII,
// padded with FF.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace virtualsim {

using CodeBlock = std::array<uint8_t, 8>;

// "1234" -> 31 32 33 34 FF FF FF FF; nothing for an empty text or one longer
// than eight characters.
[[nodiscard]] std::optional<CodeBlock> codeBlockFromText(std::string_view text);
// The inverse for the profile: the bytes up to the first FF.
[[nodiscard]] std::string codeBlockText(const CodeBlock& block);

class SecretCode {
public:
    enum class Outcome { Accepted, Rejected, Blocked };

    SecretCode() = default; // not initialised
    SecretCode(const CodeBlock& value, uint8_t maxAttempts, uint8_t remaining);
    ~SecretCode();
    SecretCode(const SecretCode&) = default;
    SecretCode& operator=(const SecretCode&) = default;

    [[nodiscard]] bool initialised() const { return m_initialised; }
    [[nodiscard]] bool blocked() const { return m_initialised && m_remaining == 0; }
    [[nodiscard]] uint8_t remaining() const { return m_remaining; }
    [[nodiscard]] uint8_t maxAttempts() const { return m_maxAttempts; }
    [[nodiscard]] const CodeBlock& value() const { return m_value; }

    // Compares a presented block. A match resets the counter; a false one
    // decrements it and Blocked means no attempt is left (now or before).
    Outcome present(std::span<const uint8_t> block);
    void setValue(const CodeBlock& value) { m_value = value; }
    void resetCounter() { m_remaining = m_maxAttempts; }

    // TS 51.011 9.2.1: b8 set when initialised, b4..b1 the attempts left.
    [[nodiscard]] uint8_t statusByte() const;

private:
    CodeBlock m_value{};
    uint8_t m_maxAttempts = 0;
    uint8_t m_remaining = 0;
    bool m_initialised = false;
};

} // namespace virtualsim
