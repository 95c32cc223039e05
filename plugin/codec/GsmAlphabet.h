#pragma once
// The GSM 7-bit default alphabet and its extension table (3GPP TS 23.038 6.2.1).

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace brontel::codec {

constexpr uint8_t kGsmEscape = 0x1B;

// Character of each of the 128 codes; the escape code holds 0.
using GsmTable = std::array<char16_t, 128>;

[[nodiscard]] const GsmTable& gsmDefaultTable();

// Character of an extension-table code (after an escape), or 0 where the table has none.
[[nodiscard]] char16_t gsmExtensionCharacter(uint8_t code);

struct GsmCode {
    uint8_t code;
    bool escaped; // written as kGsmEscape followed by code
    friend bool operator==(const GsmCode&, const GsmCode&) = default;
};

// How a character is written in the default alphabet, if it can be.
[[nodiscard]] std::optional<GsmCode> gsmCode(char16_t c);

// Text of a sequence of codes read through a table, escape sequences included.
// Codes above 0x7F, which only alpha identifiers can hold, read as Latin-1.
// An escape before a code the extension table lacks shows that code's main
// character, a doubled escape a space, a trailing escape nothing.
[[nodiscard]] std::u16string decodeGsmText(std::span<const uint8_t> codes, const GsmTable& table,
                                           size_t maxCharacters);

} // namespace brontel::codec
