// The language texts velmet-cli prints through the model: .csv column titles
// and book captions, in the language in use or their fallbacks.

#include "BookKind.h"
#include "CsvRow.h"
#include "LangText.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pelmora::model {
namespace {

class LanguageTexts : public ::testing::Test {
protected:
    void use(const char16_t* section) {
        velmet::useLanguage(std::make_shared<velmet::LanguageFile>(velmet::LanguageFile::load(
                                std::filesystem::path(PELMORA_SOURCE_DATA) / "lang.ini")),
                            section);
    }
    void TearDown() override { velmet::useLanguage(nullptr, u"en"); }
};

TEST_F(LanguageTexts, CaptionsAndTitlesFollowTheLanguage) {
    use(u"de");
    EXPECT_EQ(bookCaption(kBookAdn), u"Telefonbuch");
    EXPECT_EQ(bookCaption(kBookNextel), u"Nextel-Telefonbuch");
    EXPECT_EQ(bookCaption(kBookSms), u"Kurzmitteilungen");
    const CsvHeaderTexts header = csvHeaderTexts();
    EXPECT_EQ(header.phone, u"Telefon");
    EXPECT_EQ(header.iden.front(), u"Arbeit");
    EXPECT_EQ(header.iden.back(), u"Sprechgruppe");

    use(u"en");
    EXPECT_EQ(bookCaption(kBookBdn), u"Barred dialling numbers");
    EXPECT_EQ(csvHeaderTexts().iden[8], u"Private ID#");
}

TEST_F(LanguageTexts, WithoutALanguageFileTheDefaultsStand) {
    velmet::useLanguage(nullptr, u"en");
    const CsvHeaderTexts header = csvHeaderTexts();
    EXPECT_EQ(header.name, CsvHeaderTexts{}.name);
    EXPECT_EQ(header.iden, CsvHeaderTexts{}.iden);
    EXPECT_EQ(bookCaption(kBookFdn), u"6F3B");
    // A kind that is no book has no caption text, whatever the language.
    use(u"en");
    EXPECT_EQ(bookCaption(0x6F07), u"6F07");
}

} // namespace
} // namespace pelmora::model
