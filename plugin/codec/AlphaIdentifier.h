#pragma once
// Alpha identifiers of phone-book records (TS 51.011 10.5.1 and Annex B): the GSM
// default alphabet, or UCS2 in one of the schemes 0x80, 0x81 and 0x82.

#include "codec/EncodedBytes.h"
#include "codec/GsmAlphabet.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace brontel::codec {

constexpr size_t kMaxNameCharacters = 240;

// The table names have always been read through: the default alphabet, except
// that 0x12, 0x13, 0x15, 0x16, 0x18 and 0x19 hold è â ê ã ä é instead of Greek
// capitals, as cards written by earlier versions of this plug-in rely on.
[[nodiscard]] const GsmTable& alphaIdentifierTable();

// The default-alphabet code of a character that both that table and the
// standard default alphabet read back as the same character.
[[nodiscard]] std::optional<GsmCode> alphaIdentifierCode(char16_t c);

[[nodiscard]] std::u16string decodeAlphaIdentifier(std::span<const uint8_t> field,
                                                   size_t maxCharacters = kMaxNameCharacters);

// Fills a field of fieldLength bytes (unused bytes 0xFF) in the first scheme that
// holds every character of the name: the default alphabet, 0x81, 0x82, 0x80. A
// name longer than the field is cut at a character boundary and reported.
EncodedBytes encodeAlphaIdentifier(std::u16string_view name, size_t fieldLength);

} // namespace brontel::codec
