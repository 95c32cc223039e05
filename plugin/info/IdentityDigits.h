#pragma once
// The digit strings of EF ICCID and EF IMSI (TS 51.011 10.1.1, 10.3.2): BCD
// with the low nibble first, filler nibbles F left out.

#include <cstddef>
#include <cstdint>
#include <span>

namespace brontel {

class IdentityDigits {
public:
    // Writes into a field of capacity characters, always NUL-terminated; digits
    // beyond capacity - 1 are dropped.
    explicit IdentityDigits(std::span<char16_t> field);

    // Appends the nibble as one hex digit unless it is the filler F.
    void appendNibble(uint8_t nibble);
    // The low nibble, then the high one.
    void appendByte(uint8_t byte);

private:
    std::span<char16_t> m_field;
    size_t m_count = 0;
};

// ICCID: every byte of the file, low nibble first.
void decodeIccid(std::span<const uint8_t> file, std::span<char16_t> field);
// IMSI: byte 0 is the length L; the high nibble of byte 1 (its low nibble is
// the parity and type indication), then bytes 2 to L.
void decodeImsi(std::span<const uint8_t> file, std::span<char16_t> field);

} // namespace brontel
