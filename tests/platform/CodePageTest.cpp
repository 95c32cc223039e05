#include "CodePage.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace pelmora::platform {
namespace {

TEST(CodePage, ChosenFromLocaleLikeTheSystemLocale) {
    const struct {
        const char* locale;
        unsigned codePage;
    } cases[] = {
        {"C", 1252},           {"POSIX", 1252},       {"", 1252},
        {"en_US.UTF-8", 1252}, {"de_DE@euro", 1252},  {"ru_RU.UTF-8", 1251},
        {"uk_UA", 1251},       {"sr_RS", 1251},       {"sr_RS@latin", 1250},
        {"pl_PL.UTF-8", 1250}, {"cs_CZ", 1250},       {"el_GR.UTF-8", 1253},
        {"tr_TR", 1254},       {"uz_UZ", 1254},       {"uz_UZ@cyrillic", 1251},
        {"he_IL", 1255},       {"ar_EG.UTF-8", 1256}, {"fa_IR", 1256},
        {"lt_LT", 1257},       {"et_EE", 1257},       {"vi_VN", 1258},
        {"th_TH.UTF-8", 874},  {"ja_JP.UTF-8", 932},  {"zh_CN.UTF-8", 936},
        {"zh_SG", 936},        {"zh_TW.UTF-8", 950},  {"zh_HK", 950},
        {"ko_KR.EUC-KR", 949}, {"russian", 1252},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(codePageForLocale(c.locale), c.codePage) << c.locale;
    }
}

TEST(CodePage, OverrideAndLocaleAreReadFromTheEnvironment) {
    const struct {
        const char* override;
        const char* lcAll;
        const char* lang;
        unsigned codePage;
    } cases[] = {
        {"1251", nullptr, nullptr, 1251},
        {"cp932", nullptr, nullptr, 932},
        {"65001", "ru_RU", nullptr, 65001},
        {"99999", "el_GR.UTF-8", nullptr, 1253}, // not a code page: the locale decides
        {"12a", nullptr, "tr_TR", 1254},
        {nullptr, nullptr, "pl_PL.UTF-8", 1250},
        {nullptr, "C", "pl_PL.UTF-8", 1252}, // LC_ALL comes first
        {nullptr, nullptr, nullptr, 1252},
    };
    for (const auto& c : cases) {
        const auto set = [](const char* name, const char* value) {
            value ? ::setenv(name, value, 1) : ::unsetenv(name);
        };
        set("PELMORA_CODEPAGE", c.override);
        set("LC_ALL", c.lcAll);
        set("LC_CTYPE", nullptr);
        set("LANG", c.lang);
        EXPECT_EQ(codePageFromEnvironment(), c.codePage) << (c.override ? c.override : "-");
    }
}

TEST(CodePage, ConvertsBothWays) {
    const struct {
        unsigned codePage;
        std::u16string text;
        std::string bytes;
    } cases[] = {
        {1252, u"Caf\u00E9 \u20AC", "Caf\xE9 \x80"},
        {1251, u"\u041F\u0440\u0438\u0432\u0435\u0442", "\xCF\xF0\xE8\xE2\xE5\xF2"},
        {1250, u"\u0141\u00F3d\u017A",
         "\xA3\xF3"
         "d\x9F"},
        {932, u"\u65E5\u672C", "\x93\xFA\x96\x7B"},
        {65001, u"\u00E9\U0001F600", "\xC3\xA9\xF0\x9F\x98\x80"},
        {1252, u"plain ASCII", "plain ASCII"},
    };
    for (const auto& c : cases) {
        bool lossless = false;
        EXPECT_EQ(toCodePage(c.text, c.codePage, &lossless), c.bytes) << c.codePage;
        EXPECT_TRUE(lossless) << c.codePage;
        EXPECT_EQ(fromCodePage(c.bytes, c.codePage), c.text) << c.codePage;
    }
}

TEST(CodePage, UnmappableCharactersBecomeOneQuestionMarkEach) {
    bool lossless = true;
    // Cyrillic and a character outside the BMP have no place in 1252.
    EXPECT_EQ(toCodePage(u"a\u0416b\U0001F600c", 1252, &lossless), "a?b?c");
    EXPECT_FALSE(lossless);
    // A lone surrogate is ill-formed and cannot be converted either.
    EXPECT_EQ(toCodePage(std::u16string(u"x") + char16_t(0xD800) + u"\u00E9", 1252, &lossless),
              "x?\xE9");
    EXPECT_FALSE(lossless);
    EXPECT_EQ(toCodePage(u"\u00E9", 4242, &lossless), "?");
    EXPECT_FALSE(lossless);
}

TEST(CodePage, UndefinedBytesBecomeReplacementCharacters) {
    // 0x81 is undefined in 1252; a DBCS lead byte at the very end is cut off.
    EXPECT_EQ(fromCodePage("a\x81z", 1252), u"a\uFFFDz");
    EXPECT_EQ(fromCodePage("\x93\xFA\x93", 932), u"\u65E5\uFFFD");
}

TEST(CodePage, Utf8RoundTripAndIllFormedInput) {
    const std::u16string text = u"A\u00E9\u20AC\U0001F600";
    EXPECT_EQ(fromUtf8(toUtf8(text)), text);
    const struct {
        std::string bytes;
        std::u16string expected;
    } cases[] = {
        {"\xC3", u"\uFFFD"},             // cut off
        {"\xC0\xAF", u"\uFFFD\uFFFD"},   // overlong lead byte
        {"\xE0\x80\xAF", u"\uFFFD"},     // overlong three-byte form
        {"\xED\xA0\x80", u"\uFFFD"},     // encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD"}, // above U+10FFFF
        {"a\x80z", u"a\uFFFDz"},         // stray continuation byte
        {"\xE2\x82x", u"\uFFFDx"},       // broken sequence then ASCII
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fromUtf8(c.bytes), c.expected);
    }
    EXPECT_EQ(toUtf8(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
}

} // namespace
} // namespace pelmora::platform
