#include "TextFileDecoding.h"

#include "CodePage.h"
#include "Utf16Bytes.h"
#include "Utf8Validation.h"

#include <algorithm>
#include <string_view>

namespace pelmora::model {

namespace {

// How plain text written as UTF-16 shows: the high byte of most units is 0
// (Latin text, digits, separators, line ends), while 8-bit text has no NULs.
// Returns 1 for little-endian, 2 for big-endian, 0 for neither.
int utf16Pattern(std::span<const uint8_t> bytes) {
    if (bytes.size() < 2 || bytes.size() % 2 != 0) {
        return 0;
    }
    size_t evenZeros = 0;
    size_t oddZeros = 0;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        evenZeros += bytes[i] == 0;
        oddZeros += bytes[i + 1] == 0;
    }
    const size_t units = bytes.size() / 2;
    if (oddZeros * 4 >= units && evenZeros * 4 < oddZeros) {
        return 1;
    }
    if (evenZeros * 4 >= units && oddZeros * 4 < evenZeros) {
        return 2;
    }
    return 0;
}

// Well-formed UTF-8 that uses at least one multi-byte sequence.
bool looksLikeUtf8(std::span<const uint8_t> bytes) {
    return std::any_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b >= 0x80; }) &&
           isWellFormedUtf8(bytes);
}

std::string_view chars(std::span<const uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

} // namespace

DecodedText decodeTextFile(std::span<const uint8_t> bytes) {
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        return {utf16FromBytes(bytes.subspan(2), true), TextFileEncoding::Utf16LE};
    }
    if (bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
        return {utf16FromBytes(bytes.subspan(2), false), TextFileEncoding::Utf16BE};
    }
    if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        return {platform::fromUtf8(chars(bytes.subspan(3))), TextFileEncoding::Utf8};
    }
    switch (utf16Pattern(bytes)) {
    case 1:
        return {utf16FromBytes(bytes, true), TextFileEncoding::Utf16LE};
    case 2:
        return {utf16FromBytes(bytes, false), TextFileEncoding::Utf16BE};
    default:
        break;
    }
    if (looksLikeUtf8(bytes)) {
        return {platform::fromUtf8(chars(bytes)), TextFileEncoding::Utf8};
    }
    return {platform::fromAnsi(chars(bytes)), TextFileEncoding::Ansi};
}

} // namespace pelmora::model
