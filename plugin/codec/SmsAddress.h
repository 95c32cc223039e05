#pragma once
// Addresses of short messages: TP-OA/TP-DA (3GPP TS 23.040 9.1.2.5), whose
// length counts semi-octets, and the service-centre address of an EF SMS record
// (TS 24.011 8.2.5.1), whose length counts octets.

#include "codec/EncodedBytes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace brontel::codec {

constexpr uint8_t kTonNpiAlphanumeric = 0xD0;
constexpr size_t kMaxAddressDigits = 20;
constexpr size_t kMaxAddressOctets = 10;

struct SmsAddress {
    std::u16string text;
    size_t octets = 0; // length of the whole field: length byte, TON/NPI, value
};

// nullopt when the field runs past the bytes. Digits with "+" for an
// international number, or alphanumeric text in the 7-bit default alphabet.
[[nodiscard]] std::optional<SmsAddress> decodeSmsAddress(std::span<const uint8_t> bytes,
                                                         size_t maxCharacters);

// Digits, "*" and "#" with an optional leading "+" as a number (formatting
// characters dropped, cut at 20 digits); any other text as an alphanumeric
// address of at most 11 characters. Cut or dropped characters are reported.
EncodedBytes encodeSmsAddress(std::u16string_view text);

// TON/NPI and BCD digits; an empty value is no address.
[[nodiscard]] std::u16string decodeServiceCentreAddress(std::span<const uint8_t> value,
                                                        size_t maxCharacters);

} // namespace brontel::codec
