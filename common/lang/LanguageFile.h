#pragma once
// The language file: one section per language, texts keyed by their number,
// and a "lang" key naming the language for the Options dialog.

#include "ProfileDocument.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::velmet {

struct LanguageChoice {
    std::u16string section; // at most kLanguageSectionLength characters
    std::u16string name;    // the section's "lang" value, else the section name
};

// A language section name is at most four characters long.
inline constexpr std::size_t kLanguageSectionLength = 4;
// Texts are read up to this many characters.
inline constexpr std::size_t kLangTextLength = 1023;

class LanguageFile {
public:
    LanguageFile() = default;
    // A missing file gives a file without texts.
    static LanguageFile load(const std::filesystem::path& file);
    static LanguageFile parse(std::span<const uint8_t> bytes);

    // The unformatted text: read from the section, from "en" when it is empty
    // there, hex-encoded values decoded. Unknown numbers give an empty text.
    [[nodiscard]] std::u16string text(int number, std::u16string_view section) const;

    // Every section, in file order.
    [[nodiscard]] std::vector<LanguageChoice> languages() const;
    // The first section whose name or "lang" value equals the choice, ignoring
    // case, cut to kLanguageSectionLength characters.
    [[nodiscard]] std::optional<std::u16string> sectionFor(std::u16string_view choice) const;

private:
    explicit LanguageFile(platform::ProfileDocument document) : m_document(std::move(document)) {}
    [[nodiscard]] std::u16string rawText(std::u16string_view section,
                                         std::u16string_view key) const;

    platform::ProfileDocument m_document;
};

} // namespace pelmora::velmet
