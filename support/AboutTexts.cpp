#include "AboutTexts.h"

#include "LangFormat.h"

#include <array>

namespace pelmora::qulvio {

AboutTexts::AboutTexts(const std::filesystem::path& languageFile, std::u16string section)
    : m_file(velmet::LanguageFile::load(languageFile)),
      m_section(section.empty() ? std::u16string(u"en") : std::move(section)) {}

std::u16string AboutTexts::text(int number, std::u16string_view argument) const {
    const std::array<velmet::LangArg, 1> args{velmet::LangArg(argument)};
    return velmet::formatLangText(m_file.text(number, m_section), args);
}

} // namespace pelmora::qulvio
