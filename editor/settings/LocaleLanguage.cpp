#include "LocaleLanguage.h"

#include "CaseInsensitive.h"
#include "LocaleFormats.h"

namespace pelmora::velmet {
namespace {

std::u16string widen(std::string_view ascii) {
    return {ascii.begin(), ascii.end()};
}

bool isLetters(std::string_view text) {
    for (const char c : text) {
        if ((c < 'a' || c > 'z') && (c < 'A' || c > 'Z')) {
            return false;
        }
    }
    return !text.empty();
}

} // namespace

std::u16string languageSectionForLocale(const LanguageFile& file, std::string_view localeName) {
    const std::string_view base = localeName.substr(0, localeName.find_first_of(".@"));
    const std::string_view language = base.substr(0, base.find('_'));
    const std::string_view territory =
        language.size() < base.size() ? base.substr(language.size() + 1) : std::string_view{};
    // "C" and "POSIX" are no language code and fall to English.
    if (language.size() < 2 || language.size() > 3 || !isLetters(language)) {
        return u"en";
    }
    const std::u16string plain = widen(language);
    const std::u16string full = plain + widen(territory);
    auto rank = [&](std::u16string_view section) {
        if (isLetters(territory) && platform::equalsIgnoreCase(section, full)) {
            return 0;
        }
        if (platform::equalsIgnoreCase(section, plain)) {
            return 1;
        }
        const bool otherTerritory =
            section.size() == plain.size() + 2 &&
            platform::equalsIgnoreCase(section.substr(0, plain.size()), plain);
        return otherTerritory ? 2 : 3;
    };
    int best = 3;
    std::u16string chosen = u"en";
    for (const LanguageChoice& choice : file.languages()) {
        if (const int r = rank(choice.section); r < best) {
            best = r;
            chosen = choice.section;
        }
    }
    return chosen;
}

std::u16string languageSectionForUserLocale(const LanguageFile& file) {
    return languageSectionForLocale(file, platform::localeName("LC_MESSAGES"));
}

} // namespace pelmora::velmet
