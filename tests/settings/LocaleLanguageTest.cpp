#include "LocaleLanguage.h"
#include "TestLanguage.h"

#include <gtest/gtest.h>

namespace pelmora::velmet {
namespace {

TEST(LocaleLanguage, ThePlaceOfTheLocaleWinsThenItsLanguageThenEnglish) {
    const LanguageFile file =
        testing::languageFromText("[en]\nlang=English\n[de]\n[ptBR]\n[fr]\n[frCA]\n");
    const struct {
        const char* locale;
        std::u16string_view section;
    } cases[] = {
        {"de_AT.UTF-8", u"de"},
        {"de_DE@euro", u"de"},
        {"fr", u"fr"},
        {"fr_CA.UTF-8", u"frCA"},
        {"pt_BR.UTF-8", u"ptBR"},
        {"pt_PT.UTF-8", u"ptBR"},
        {"it_IT.UTF-8", u"en"},
        {"C", u"en"},
        {"POSIX", u"en"},
        {"C.UTF-8", u"en"},
        {"", u"en"},
        {"_DE", u"en"},
        {"d1_DE", u"en"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(languageSectionForLocale(file, c.locale), c.section) << c.locale;
    }
}

} // namespace
} // namespace pelmora::velmet
