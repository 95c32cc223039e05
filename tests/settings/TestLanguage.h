#pragma once
// Language files written inline by the tests.

#include "LangText.h"
#include "LanguageFile.h"

#include <memory>
#include <string_view>

namespace pelmora::velmet::testing {

inline LanguageFile languageFromText(std::string_view text) {
    return LanguageFile::parse(
        std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

// Installs the text as the language in use until the guard goes.
class LanguageGuard {
public:
    LanguageGuard(std::string_view text, std::u16string section) {
        useLanguage(std::make_shared<LanguageFile>(languageFromText(text)), std::move(section));
    }
    ~LanguageGuard() { useLanguage(nullptr, u"en"); }
    LanguageGuard(const LanguageGuard&) = delete;
    LanguageGuard& operator=(const LanguageGuard&) = delete;
};

} // namespace pelmora::velmet::testing
