#pragma once
// A short secret (a PIN) that is zeroed whenever it is replaced or dropped.

#include <array>
#include <cstddef>
#include <string_view>

namespace pelmora::model {

class SecretText {
public:
    static constexpr size_t kCapacity = 16;

    SecretText() = default;
    ~SecretText() { clear(); }
    SecretText(const SecretText&) = delete;
    SecretText& operator=(const SecretText&) = delete;

    // Keeps at most kCapacity units.
    void assign(std::u16string_view text);
    void clear();

    [[nodiscard]] bool present() const { return m_present; }
    [[nodiscard]] std::u16string_view view() const { return {m_text.data(), m_size}; }
    // NUL-terminated, for the card plug-in.
    [[nodiscard]] const char16_t* c_str() const { return m_text.data(); }

private:
    std::array<char16_t, kCapacity + 1> m_text{};
    size_t m_size = 0;
    bool m_present = false;
};

} // namespace pelmora::model
