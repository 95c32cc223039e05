// The shipped language file must hold every text the editor shows, with the
// placeholders that the code fills.

#include "CaseInsensitive.h"
#include "CodePage.h"
#include "HexText.h"
#include "LanguageFile.h"
#include "ProfileDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace pelmora::velmet {
namespace {

// Text number -> the conversions the code passes, in order ("s" text, "d" number).
std::map<int, std::string> usedTexts() {
    std::map<int, std::string> used;
    auto plain = [&](int from, int to) {
        for (int n = from; n <= to; ++n) {
            used.emplace(n, "");
        }
    };
    plain(1, 20);  // list heads, tooltips, panel labels
    plain(22, 46); // SIM menu, book captions, tooltips
    plain(49, 58); // backup dialogs, card properties, PIN dialogs
    plain(60, 60);
    plain(62, 67);
    plain(69, 73);
    plain(75, 79); // find and replace
    plain(81, 86); // message columns, progress titles
    plain(90, 91);
    plain(94, 146);  // properties, entry dialogs, print setup, field names
    plain(150, 180); // menus
    plain(182, 185); // Options
    plain(187, 191);
    plain(193, 209); // command buttons
    plain(211, 211);
    plain(214, 214);
    plain(217, 224);
    plain(226, 233); // 233: access condition "never"
    used[21] = "s";  // panel group box: the entry's name
    used[59] = "d";  // attempts left
    used[80] = "s";  // library that cannot be loaded
    used[87] = "dd"; // record index and total
    used[88] = "dd";
    used[89] = "dd";
    used[92] = "s"; // caption of the file being copied
    used[93] = "s";
    used[186] = "ss";  // extension and program title
    plain(350, 351);   // closing a changed document, a name needed
    used[352] = "dss"; // position, name or number, what the card would hold
    used[353] = "dss";
    used[354] = "ds";
    used[355] = "ss"; // velmet-cli: books, file
    used[356] = "s";
    used[357] = "s";
    used[358] = "ds"; // count, positions
    used[359] = "ds";
    plain(360, 360);  // PIN flows: the card does not answer
    used[361] = "ss"; // PIN and PUK names
    used[362] = "ss";
    used[363] = "s";
    plain(364, 364);
    return used;
}

// The conversions of a text, "%%" skipped.
std::string conversions(std::u16string_view text) {
    std::string found;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'%') {
            continue;
        }
        const char16_t next = text[i + 1];
        if (next == u's' || next == u'd') {
            found.push_back(static_cast<char>(next));
        } else if (next != u'%') {
            found.push_back('?');
        }
        ++i;
    }
    return found;
}

// The access key of a menu text: the character after a single "&".
char16_t accessKey(std::u16string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == u'&') {
            if (text[i + 1] != u'&') {
                return platform::foldCase(text[i + 1]);
            }
            ++i;
        }
    }
    return 0;
}

class LangIni : public ::testing::Test {
protected:
    const LanguageFile m_file = LanguageFile::load(PELMORA_SOURCE_DATA "/lang.ini");
};

TEST_F(LangIni, EnglishHasEveryUsedTextWithItsPlaceholders) {
    for (const auto& [number, args] : usedTexts()) {
        SCOPED_TRACE(number);
        const std::u16string text = m_file.text(number, u"en");
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(conversions(text), args);
    }
}

TEST_F(LangIni, EveryLanguageIsNamedAndKeepsThePlaceholders) {
    const auto languages = m_file.languages();
    ASSERT_FALSE(languages.empty());
    EXPECT_EQ(languages.front().section, u"en");
    for (const LanguageChoice& language : languages) {
        SCOPED_TRACE(std::string(language.section.begin(), language.section.end()));
        EXPECT_NE(language.name, language.section) << "no \"lang\" key";
        EXPECT_LE(language.section.size(), kLanguageSectionLength);
        for (const auto& [number, args] : usedTexts()) {
            EXPECT_EQ(conversions(m_file.text(number, language.section)), args) << number;
        }
    }
}

} // namespace
} // namespace pelmora::velmet

namespace pelmora::velmet {
namespace {

TEST_F(LangIni, AccessKeysAreUniqueWithinEachMenu) {
    const std::vector<std::vector<int>> menus = {
        {75, 76, 77, 78, 750, 751, 752, 55},                // find and replace dialog
        {173, 174, 175, 176, 177},                          // the menu bar
        {150, 151, 152, 153, 154, 155, 180},                // File
        {163, 164, 165, 166, 167, 168, 169, 170, 230, 171}, // Edit
        {22, 23, 158, 159, 152, 160, 161, 162, 1233},       // SIM
        {172, 223},                                         // Options
        {178, 227, 179},                                    // Help
        {165, 166, 167, 168, 156, 157, 169, 170, 232},      // list context menu
    };
    for (const LanguageChoice& language : m_file.languages()) {
        for (const auto& menu : menus) {
            std::vector<char16_t> keys;
            for (int number : menu) {
                const char16_t key = accessKey(m_file.text(number, language.section));
                if (key == 0) {
                    continue;
                }
                EXPECT_EQ(std::count(keys.begin(), keys.end(), key), 0)
                    << std::string(language.section.begin(), language.section.end()) << " text "
                    << number;
                keys.push_back(key);
            }
        }
    }
}

} // namespace
} // namespace pelmora::velmet

namespace pelmora::velmet {
namespace {

std::string narrow(std::u16string_view text) {
    return platform::toUtf8(text);
}

class LangIniFile : public ::testing::Test {
protected:
    const platform::ProfileDocument m_file =
        platform::ProfileDocument::load(PELMORA_SOURCE_DATA "/lang.ini");
};

TEST_F(LangIniFile, IsUtf8WithItsByteOrderMark) {
    EXPECT_EQ(m_file.encoding(), platform::TextEncoding::Utf8);
    for (const std::u16string& section : m_file.sectionNames()) {
        for (const std::u16string& key : m_file.keyNames(section)) {
            EXPECT_EQ(m_file.value(section, key)->find(u'\uFFFD'), std::u16string::npos)
                << narrow(section) << " " << narrow(key) << ": not UTF-8";
        }
    }
}

// A language shows English nowhere: each of its texts is its own, keeps the
// English text's placeholders in their order, has an access key where the
// English one has, and is never all hex digits (it would be decoded as
// hex-encoded UTF-16).
TEST_F(LangIniFile, EveryLanguageHasEveryEnglishTextWithItsShape) {
    const std::vector<std::u16string> english = m_file.keyNames(u"en");
    ASSERT_GT(english.size(), 300u);
    for (const std::u16string& section : m_file.sectionNames()) {
        for (const std::u16string& key : english) {
            SCOPED_TRACE(narrow(section) + " " + narrow(key));
            const std::u16string text = m_file.value(section, key).value_or(u"");
            const std::u16string source = *m_file.value(u"en", key);
            ASSERT_FALSE(text.empty());
            EXPECT_EQ(decodeHexText(text).has_value(), decodeHexText(source).has_value());
            EXPECT_EQ(conversions(text), conversions(source));
            EXPECT_EQ(accessKey(text) == 0, accessKey(source) == 0);
        }
    }
}

} // namespace
} // namespace pelmora::velmet
