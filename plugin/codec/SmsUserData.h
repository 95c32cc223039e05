#pragma once
// TP-User-Data (3GPP TS 23.040 9.2.3.24): text in the message's alphabet,
// optionally behind a user-data header.

#include "codec/SmsDataCoding.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brontel::codec {

// The text of user data of length udl (septets for 7-bit, octets otherwise),
// read from as many octets as the record holds. A header is skipped; 7-bit text
// behind it starts at the next septet boundary.
[[nodiscard]] std::u16string decodeSmsUserData(std::span<const uint8_t> userData, size_t udl,
                                               bool hasHeader, SmsAlphabet alphabet,
                                               size_t maxCharacters);

struct EncodedUserData {
    uint8_t dataCodingScheme = 0;
    uint8_t length = 0; // TP-UDL
    std::vector<uint8_t> octets;
    bool didNotFit = false;
};

// A new message's text in the coding chooseSmsAlphabet picks, cut to what one
// message and maxOctets hold.
[[nodiscard]] EncodedUserData encodeSmsUserData(std::u16string_view text, size_t maxOctets);

} // namespace brontel::codec
