#pragma once
// The About box's texts: the editor's language file, read by number in the
// section the editor hands over, so the box speaks the editor's language.

#include "LanguageFile.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace pelmora::qulvio {

class AboutTexts {
public:
    // A missing file gives empty texts; an empty section reads "en".
    AboutTexts(const std::filesystem::path& languageFile, std::u16string section);

    // The text, its %s replaced by the argument when one is given.
    [[nodiscard]] std::u16string text(int number, std::u16string_view argument = {}) const;

private:
    velmet::LanguageFile m_file;
    std::u16string m_section;
};

} // namespace pelmora::qulvio
