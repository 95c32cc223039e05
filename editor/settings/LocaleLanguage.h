#pragma once
// The language a first start uses: the user's locale, where the language
// file has it.

#include "LanguageFile.h"

#include <string>
#include <string_view>

namespace pelmora::velmet {

// The section for a POSIX locale name ("pt_BR.UTF-8", "de_AT@euro"): the
// section named language and territory ("ptBR"), else the language ("pt"),
// else the first section for another territory of the language ("ptBR" for
// "pt_PT"); "en" when the file has none of them, and for "C" and "POSIX".
[[nodiscard]] std::u16string languageSectionForLocale(const LanguageFile& file,
                                                      std::string_view localeName);

// The same for the locale the environment names for messages.
[[nodiscard]] std::u16string languageSectionForUserLocale(const LanguageFile& file);

} // namespace pelmora::velmet
