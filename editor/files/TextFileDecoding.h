#pragma once
// Recognises how a text file from this or another program is encoded and
// turns it into UTF-16.

#include <cstdint>
#include <span>
#include <string>

namespace pelmora::model {

enum class TextFileEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

struct DecodedText {
    std::u16string text; // without a byte-order mark
    TextFileEncoding encoding = TextFileEncoding::Ansi;
};

// A byte-order mark decides; without one, text with NUL bytes in every other
// position is UTF-16 (the byte order from where they stand), well-formed
// UTF-8 with at least one multi-byte sequence is UTF-8, and anything else is
// in the ANSI code page.
[[nodiscard]] DecodedText decodeTextFile(std::span<const uint8_t> bytes);

} // namespace pelmora::model
