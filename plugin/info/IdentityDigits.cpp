#include "info/IdentityDigits.h"

#include <algorithm>

namespace brontel {

IdentityDigits::IdentityDigits(std::span<char16_t> field) : m_field(field) {
    std::fill(m_field.begin(), m_field.end(), u'\0');
}

void IdentityDigits::appendNibble(uint8_t nibble) {
    nibble &= 0x0F;
    if (nibble == 0x0F || m_field.empty() || m_count + 1 >= m_field.size()) {
        return;
    }
    m_field[m_count++] = static_cast<char16_t>(nibble < 10 ? u'0' + nibble : u'A' + nibble - 10);
}

void IdentityDigits::appendByte(uint8_t byte) {
    appendNibble(byte & 0x0F);
    appendNibble(byte >> 4);
}

void decodeIccid(std::span<const uint8_t> file, std::span<char16_t> field) {
    IdentityDigits digits(field);
    for (const uint8_t byte : file) {
        digits.appendByte(byte);
    }
}

void decodeImsi(std::span<const uint8_t> file, std::span<char16_t> field) {
    IdentityDigits digits(field);
    if (file.size() < 2) {
        return;
    }
    const size_t last = std::min<size_t>(file.size() - 1, file[0]);
    digits.appendNibble(file[1] >> 4);
    for (size_t i = 2; i <= last; ++i) {
        digits.appendByte(file[i]);
    }
}

} // namespace brontel
