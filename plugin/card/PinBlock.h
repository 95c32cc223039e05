#pragma once
// The eight-byte CHV field of VERIFY, CHANGE, DISABLE, ENABLE and UNBLOCK CHV
// (3GPP TS 51.011 9.2.9): the code's characters, padded with FF.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace brontel {

class PinBlock {
public:
    static constexpr size_t kSize = 8;

    // Takes at most the first eight bytes of the code, stopping at a NUL.
    explicit PinBlock(std::string_view code);
    ~PinBlock();
    PinBlock(const PinBlock&) = delete;
    PinBlock& operator=(const PinBlock&) = delete;

    [[nodiscard]] std::span<const uint8_t, kSize> bytes() const { return m_bytes; }

private:
    std::array<uint8_t, kSize> m_bytes;
};

} // namespace brontel
