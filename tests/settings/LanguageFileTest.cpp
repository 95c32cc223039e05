#include "LanguageFile.h"
#include "HexText.h"
#include "LangText.h"
#include "TestLanguage.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace pelmora::velmet {
namespace {

std::string narrow(std::u16string_view text) {
    return {text.begin(), text.end()};
}

using testing::languageFromText;

TEST(HexText, DecodesLowByteFirstGroups) {
    struct Case {
        const char16_t* value;
        std::optional<std::u16string> expected;
    };
    const Case cases[] = {
        {u"41004200", u"AB"},
        {u"2004", u"\u0420"}, // Cyrillic capital ER
        {u"410", u"A"},       // the short group is completed with zeros
        {u"41", u"A"},
        {u"4100000042", u"A"}, // a zero unit ends the text
        {u"2014", u"\u1420"},
        {u"1999", u"\u9919"}, // a year reads as hex text too
        {u"", std::nullopt},
        {u"41004g00", std::nullopt},
        {u"41004a00", std::nullopt}, // lower-case digits are plain text
        {u"Add", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(narrow(c.value));
        EXPECT_EQ(decodeHexText(c.value), c.expected);
    }
}

TEST(LanguageFile, TextsFallBackToEnglishAndDecodeHex) {
    const LanguageFile file =
        languageFromText("[en]\r\nlang=English\r\n1=One\r\n2=Two\r\n3=41004200\r\n"
                         "[de]\r\nlang=Deutsch\r\n1=Eins\r\n2=\r\n");
    EXPECT_EQ(narrow(file.text(1, u"de")), "Eins");
    EXPECT_EQ(narrow(file.text(2, u"de")), "Two"); // empty in "de"
    EXPECT_EQ(narrow(file.text(3, u"de")), "AB");  // missing in "de"
    EXPECT_EQ(narrow(file.text(4, u"de")), "");
    EXPECT_EQ(narrow(file.text(1, u"xx")), "One");
    EXPECT_EQ(narrow(LanguageFile().text(1, u"en")), "");
}

TEST(LanguageFile, LongTextsAreReadUpTo1023Characters) {
    const std::string text = "[en]\n1=" + std::string(1500, 'x') + "\n";
    EXPECT_EQ(languageFromText(text).text(1, u"en").size(), 1023u);
}

TEST(LanguageFile, LanguageListAndChoice) {
    const LanguageFile file = languageFromText("[en]\nlang=English\n[deutsch]\nlang=Deutsch\n"
                                               "[ru]\nlang=Russian\n[pl]\n");
    const auto languages = file.languages();
    ASSERT_EQ(languages.size(), 4u);
    EXPECT_EQ(narrow(languages[0].name), "English");
    EXPECT_EQ(narrow(languages[1].section), "deut");
    EXPECT_EQ(narrow(languages[1].name), "Deutsch");
    EXPECT_EQ(narrow(languages[3].name), "pl"); // no "lang": the section name

    EXPECT_EQ(file.sectionFor(u"deutsch"), u"deut");
    EXPECT_EQ(file.sectionFor(u"DEUTSCH"), u"deut");
    EXPECT_EQ(file.sectionFor(u"english"), u"en");
    EXPECT_EQ(file.sectionFor(u"PL"), u"pl");
    EXPECT_EQ(file.sectionFor(u"Klingon"), std::nullopt);
}

class LangTextTest : public ::testing::Test {
protected:
    void TearDown() override { useLanguage(nullptr, u"en"); }

    static void install(std::string_view text, std::u16string section) {
        useLanguage(std::make_shared<LanguageFile>(languageFromText(text)), std::move(section));
    }
};

TEST_F(LangTextTest, FormatsTheInstalledSection) {
    install("[en]\n59=Attempts left: %d\n80=Cannot load %s\n[de]\n59=Noch %d Versuche\n", u"de");
    EXPECT_EQ(narrow(GetLangText(59, 3)), "Noch 3 Versuche");
    EXPECT_EQ(narrow(GetLangText(80, u"Brontel")), "Cannot load Brontel");
    EXPECT_EQ(narrow(GetLangText(12345)), "");
    useLanguageSection(u"en");
    EXPECT_EQ(narrow(GetLangText(59, 2)), "Attempts left: 2");
}

TEST_F(LangTextTest, HostileTranslationsArePrintedLiterally) {
    install("[en]\n87=Record %d of %d\n[xx]\n87=%s%n%d%d%d%x%p\n", u"xx");
    EXPECT_EQ(narrow(GetLangText(87, 4, 9)), "%s%n49%d%x%p");
}

TEST_F(LangTextTest, IntoCopiesOnlyWhatFits) {
    install("[en]\n1=Hello %s\n", u"en");
    char16_t big[16] = {};
    EXPECT_EQ(GetLangTextInto(1, big, std::size(big), u"you"), big);
    EXPECT_EQ(narrow(big), "Hello you");

    char16_t small[9] = {u'k', 0};
    const char16_t* result = GetLangTextInto(1, small, std::size(small), u"you");
    EXPECT_NE(result, small);
    EXPECT_EQ(narrow(result), "Hello you");
    EXPECT_EQ(narrow(small), "k"); // untouched

    char16_t exact[10] = {};
    EXPECT_EQ(GetLangTextInto(1, exact, std::size(exact), u"you"), exact);
    EXPECT_EQ(GetLangTextInto(1, nullptr, 0, u"you"), GetLangText(1, u"you"));
}

TEST_F(LangTextTest, EachThreadFormatsIntoItsOwnBuffer) {
    install("[en]\n87=Reading record %d of %d\n", u"en");
    std::vector<std::thread> threads;
    std::vector<int> mismatches(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &mismatches] {
            for (int i = 0; i < 2000; ++i) {
                const char16_t* text = GetLangText(87, i, t);
                const std::string expected =
                    "Reading record " + std::to_string(i) + " of " + std::to_string(t);
                if (narrow(text) != expected) {
                    ++mismatches[t];
                }
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(mismatches, std::vector<int>(4, 0));

    const char16_t* mine = GetLangText(87, 1, 1);
    const char16_t* theirs = nullptr;
    std::thread([&] { theirs = GetLangText(87, 2, 2); }).join();
    EXPECT_NE(mine, theirs);
    EXPECT_EQ(narrow(mine), "Reading record 1 of 1");
}

} // namespace
} // namespace pelmora::velmet
