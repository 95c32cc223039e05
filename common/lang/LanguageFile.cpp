#include "LanguageFile.h"

#include "CaseInsensitive.h"
#include "HexText.h"

namespace pelmora::velmet {
namespace {

std::u16string decimal(int number) {
    const std::string digits = std::to_string(number);
    return {digits.begin(), digits.end()};
}

} // namespace

LanguageFile LanguageFile::load(const std::filesystem::path& file) {
    return LanguageFile(platform::ProfileDocument::load(file));
}

LanguageFile LanguageFile::parse(std::span<const uint8_t> bytes) {
    return LanguageFile(platform::ProfileDocument::parse(bytes));
}

std::u16string LanguageFile::rawText(std::u16string_view section, std::u16string_view key) const {
    std::u16string value = m_document.value(section, key).value_or(u"");
    if (value.size() > kLangTextLength) {
        value.resize(kLangTextLength);
    }
    return value;
}

std::u16string LanguageFile::text(int number, std::u16string_view section) const {
    const std::u16string key = decimal(number);
    std::u16string value = rawText(section, key);
    if (value.empty()) {
        value = rawText(u"en", key);
    }
    if (auto decoded = decodeHexText(value)) {
        return *decoded;
    }
    return value;
}

std::vector<LanguageChoice> LanguageFile::languages() const {
    std::vector<LanguageChoice> choices;
    for (const std::u16string& section : m_document.sectionNames()) {
        std::u16string name = m_document.value(section, u"lang").value_or(u"");
        if (name.empty()) {
            name = section;
        }
        choices.push_back({section.substr(0, kLanguageSectionLength), std::move(name)});
    }
    return choices;
}

std::optional<std::u16string> LanguageFile::sectionFor(std::u16string_view choice) const {
    for (const std::u16string& section : m_document.sectionNames()) {
        const std::u16string name = m_document.value(section, u"lang").value_or(u"");
        if (platform::equalsIgnoreCase(section, choice) ||
            platform::equalsIgnoreCase(name, choice)) {
            return section.substr(0, kLanguageSectionLength);
        }
    }
    return std::nullopt;
}

} // namespace pelmora::velmet
