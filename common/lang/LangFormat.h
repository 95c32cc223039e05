#pragma once
// printf-style formatting of language texts. A language file is untrusted
// input, so its texts are never handed to printf: only the conversions that
// the caller's arguments can satisfy are performed, in order, and everything
// else is printed as it stands.

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace pelmora::velmet {

// One argument of a language text: a UTF-16 text (for %s) or a number (for
// %d, %i, %u, %x, %X). A text argument only refers to its characters, so it
// must outlive the formatting call.
class LangArg {
public:
    LangArg(std::u16string_view text) : m_text(text), m_isText(true) {}
    LangArg(const std::u16string& text) : m_text(text), m_isText(true) {}
    LangArg(const char16_t* text) : m_text(text ? text : u""), m_isText(true) {}
    template <std::integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, char16_t> && !std::same_as<T, char32_t> &&
             !std::same_as<T, char>) LangArg(T number)
        : m_number(static_cast<int64_t>(number)), m_isUnsigned(std::unsigned_integral<T>) {}

    [[nodiscard]] bool isText() const { return m_isText; }
    [[nodiscard]] std::u16string_view text() const { return m_text; }
    [[nodiscard]] int64_t number() const { return m_number; }
    [[nodiscard]] bool isUnsigned() const { return m_isUnsigned; }

private:
    std::u16string_view m_text;
    int64_t m_number = 0;
    bool m_isText = false;
    bool m_isUnsigned = false;
};

// Formats at most maxLength code units (a surrogate pair is never cut).
// Conversions: %% and, each taking the next unused argument when it has the
// right kind, %s for a text and %d %i %u %x %X for a number, with the flags
// "-0+ ", a width and a precision written as digits, and an ignored "l" or
// "h". Any other conversion, one whose argument has the wrong kind, and one
// beyond the last argument is copied literally and takes no argument.
[[nodiscard]] std::u16string formatLangText(std::u16string_view format,
                                            std::span<const LangArg> args,
                                            std::size_t maxLength = 1023);

} // namespace pelmora::velmet
