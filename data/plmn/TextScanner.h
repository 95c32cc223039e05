#pragma once
// The cursor that the XML and JSON readers share: a position in the text,
// white space skipping, and errors that name the byte offset.

#include "CodePage.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace pelmora::plmn {

class TextScanner {
protected:
    // Deeper nesting than this is not a provider list; refusing it keeps the
    // recursion bounded.
    static constexpr int kMaxDepth = 64;

    explicit TextScanner(std::string_view text) : m_text(text) {}

    [[noreturn]] void fail(const std::string& what) const {
        throw std::runtime_error(what + " at byte " + std::to_string(m_pos));
    }

    [[nodiscard]] bool startsWith(std::string_view prefix) const {
        return m_text.substr(m_pos, prefix.size()) == prefix;
    }

    void skipSpace() {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' ||
                                         m_text[m_pos] == '\r' || m_text[m_pos] == '\n')) {
            ++m_pos;
        }
    }

    void skipByteOrderMark() {
        if (startsWith("\xEF\xBB\xBF")) {
            m_pos += 3;
        }
    }

    // The value of a hex digit, or -1.
    static int hexDigit(char c) {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        if (c >= 'A' && c <= 'F') {
            return c - 'A' + 10;
        }
        return -1;
    }

    // Appends one code point (not a surrogate, at most U+10FFFF) as UTF-8.
    static void appendCodePoint(std::string& out, uint32_t cp) {
        std::u16string units;
        if (cp >= 0x10000) {
            units.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(cp));
        }
        out += platform::toUtf8(units);
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

// The document read by Reader(document).document(), its error named after the format.
template <typename Reader> auto readDocument(std::string_view format, std::string_view document) {
    try {
        return Reader(document).document();
    } catch (const std::runtime_error& error) {
        throw std::runtime_error(std::string(format) + ": " + error.what());
    }
}

} // namespace pelmora::plmn
