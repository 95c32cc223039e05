#pragma once
// TP-Data-Coding-Scheme (3GPP TS 23.038 4) and the coding of new messages.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace brontel::codec {

enum class SmsAlphabet { Gsm7, EightBit, Ucs2, Unreadable };

// The alphabet of received user data. Reserved coding groups read as the
// default alphabet; compressed text cannot be read.
[[nodiscard]] SmsAlphabet smsAlphabet(uint8_t dataCodingScheme);

// The coding of a new message: UCS2 when a character lies beyond Latin-1, 8-bit
// when one lies outside the few characters every reader of this program's 7-bit
// text agrees on, else 7-bit.
[[nodiscard]] SmsAlphabet chooseSmsAlphabet(std::u16string_view text);

[[nodiscard]] uint8_t dataCodingScheme(SmsAlphabet alphabet);

// User data of one message: 140 octets, which hold 160 septets.
constexpr size_t kMaxUserDataOctets = 140;
constexpr size_t kMaxUserDataSeptets = 160;

} // namespace brontel::codec
