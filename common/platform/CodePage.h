#pragma once
// Code-page conversions. The ANSI code page is chosen from the locale the way
// Windows chooses it from the system locale; PELMORA_CODEPAGE overrides it.

#include <cstdint>
#include <string>
#include <string_view>

namespace pelmora::platform {

// The ANSI code page in effect (1252, 1251, 932, ...), read once per process.
[[nodiscard]] unsigned ansiCodePage();
// What ansiCodePage() keeps: PELMORA_CODEPAGE when it names a code page that
// can be converted, else the one of the locale (LC_ALL, LC_CTYPE, LANG).
[[nodiscard]] unsigned codePageFromEnvironment();
// For tests: the code page Windows would choose for a POSIX locale name ("ru_RU.UTF-8" -> 1251).
[[nodiscard]] unsigned codePageForLocale(std::string_view localeName);

// Characters the code page cannot hold become '?' (as WideCharToMultiByte does);
// when lossless is given it is set to false in that case.
[[nodiscard]] std::string toCodePage(std::u16string_view text, unsigned codePage,
                                     bool* lossless = nullptr);
[[nodiscard]] std::u16string fromCodePage(std::string_view bytes, unsigned codePage);
[[nodiscard]] inline std::string toAnsi(std::u16string_view text, bool* lossless = nullptr) {
    return toCodePage(text, ansiCodePage(), lossless);
}
[[nodiscard]] inline std::u16string fromAnsi(std::string_view bytes) {
    return fromCodePage(bytes, ansiCodePage());
}

// UTF-16 <-> UTF-8; ill-formed input becomes U+FFFD.
[[nodiscard]] std::string toUtf8(std::u16string_view text);
[[nodiscard]] std::u16string fromUtf8(std::string_view text);

} // namespace pelmora::platform
