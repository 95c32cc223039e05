#pragma once
// A PIN typed as UTF-16 text, held in the ANSI code page the way the card's CHV
// commands take it: nine zeroed bytes, at most the first eight used. The bytes
// are zeroed again when the object goes away.

#include <array>
#include <string_view>

namespace brontel {

class AnsiPin {
public:
    static constexpr size_t kCapacity = 9;
    static constexpr size_t kMaxBytes = 8;

    // A null text gives an empty PIN.
    explicit AnsiPin(const char16_t* text);
    ~AnsiPin();
    AnsiPin(const AnsiPin&) = delete;
    AnsiPin& operator=(const AnsiPin&) = delete;

    [[nodiscard]] std::string_view bytes() const { return m_bytes.data(); }

private:
    std::array<char, kCapacity> m_bytes{};
};

} // namespace brontel
