#pragma once
// Every user-visible text of the editor is a numbered text of the language
// file. The language in use is process-wide; each thread formats into a
// buffer of its own, so card workers and the window can format at once.

#include "LangFormat.h"
#include "LanguageFile.h"

#include <array>
#include <cstddef>
#include <memory>
#include <span>
#include <string>

namespace pelmora::velmet {

// Characters of the per-thread text buffer, the terminating null included.
inline constexpr std::size_t kLangTextBufferSize = kLangTextLength + 1;

// Installs the language file and section for every thread.
void useLanguage(std::shared_ptr<const LanguageFile> file, std::u16string section);
void useLanguageSection(std::u16string section);
[[nodiscard]] std::shared_ptr<const LanguageFile> languageFile();
[[nodiscard]] std::u16string languageSection();

// The text, formatted with the arguments, in this thread's buffer; valid until
// this thread's next call. An unknown number gives an empty text.
const char16_t* getLangText(int number, std::span<const LangArg> args);
// As getLangText, then copied into dest when it is shorter than size (dest is
// returned); otherwise the thread's buffer is returned.
const char16_t* getLangTextInto(int number, char16_t* dest, std::size_t size,
                                std::span<const LangArg> args);

template <typename... Args> const char16_t* GetLangText(int number, const Args&... args) {
    const std::array<LangArg, sizeof...(Args)> list{LangArg(args)...};
    return getLangText(number, list);
}

template <typename... Args>
const char16_t* GetLangTextInto(int number, char16_t* dest, std::size_t size, const Args&... args) {
    const std::array<LangArg, sizeof...(Args)> list{LangArg(args)...};
    return getLangTextInto(number, dest, size, list);
}

// The same text as an owned string.
template <typename... Args> std::u16string langText(int number, const Args&... args) {
    return GetLangText(number, args...);
}

} // namespace pelmora::velmet
