#include "TextFileDecoding.h"

#include <gtest/gtest.h>

#include <string_view>

using namespace pelmora::model;

namespace {

std::vector<uint8_t> bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

std::vector<uint8_t> utf16(std::u16string_view text, bool littleEndian, bool mark) {
    std::vector<uint8_t> out;
    if (mark) {
        out = littleEndian ? std::vector<uint8_t>{0xFF, 0xFE} : std::vector<uint8_t>{0xFE, 0xFF};
    }
    for (char16_t c : text) {
        const uint8_t low = static_cast<uint8_t>(c & 0xFF);
        const uint8_t high = static_cast<uint8_t>(c >> 8);
        out.push_back(littleEndian ? low : high);
        out.push_back(littleEndian ? high : low);
    }
    return out;
}

} // namespace

TEST(TextFileDecoding, EncodingsWithAndWithoutByteOrderMark) {
    const std::u16string text = u"Имя,Phone\r\nАнна,123\r\n";
    struct Case {
        const char* label;
        std::vector<uint8_t> bytes;
        TextFileEncoding encoding;
    };
    const Case cases[] = {
        {"UTF-16LE with mark", utf16(text, true, true), TextFileEncoding::Utf16LE},
        {"UTF-16LE without mark", utf16(text, true, false), TextFileEncoding::Utf16LE},
        {"UTF-16BE with mark", utf16(text, false, true), TextFileEncoding::Utf16BE},
        {"UTF-16BE without mark", utf16(text, false, false), TextFileEncoding::Utf16BE},
        {"UTF-8 with mark",
         bytes("\xEF\xBB\xBF\xD0\x98\xD0\xBC\xD1\x8F,Phone\r\n\xD0\x90\xD0\xBD\xD0"
               "\xBD\xD0\xB0,123\r\n"),
         TextFileEncoding::Utf8},
        {"UTF-8 without mark",
         bytes("\xD0\x98\xD0\xBC\xD1\x8F,Phone\r\n\xD0\x90\xD0\xBD\xD0\xBD\xD0"
               "\xB0,123\r\n"),
         TextFileEncoding::Utf8},
    };
    for (const Case& c : cases) {
        const DecodedText decoded = decodeTextFile(c.bytes);
        EXPECT_EQ(decoded.encoding, c.encoding) << c.label;
        EXPECT_EQ(decoded.text, text) << c.label;
    }
}

TEST(TextFileDecoding, EightBitTextIsInTheAnsiCodePage) {
    // The test runs with code page 1252.
    const DecodedText decoded = decodeTextFile(bytes("Ren\xE9,1\r\n"));
    EXPECT_EQ(decoded.encoding, TextFileEncoding::Ansi);
    EXPECT_EQ(decoded.text, u"René,1\r\n");
    EXPECT_EQ(decodeTextFile({}).text, u"");
}
