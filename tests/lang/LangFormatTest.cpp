#include "LangFormat.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace pelmora::velmet {
namespace {

std::string narrow(const std::u16string& text) {
    return {text.begin(), text.end()};
}

struct FormatCase {
    const char16_t* format;
    std::vector<LangArg> args;
    const char* expected;
};

TEST(LangFormat, ConversionsTakeMatchingArgumentsInOrder) {
    const FormatCase cases[] = {
        {u"plain", {}, "plain"},
        {u"Reading record %d of %d", {3, 12}, "Reading record 3 of 12"},
        {u"File %s missing", {u"Brontel"}, "File Brontel missing"},
        {u"%s: %d%%", {u"done", 50}, "done: 50%"},
        {u"%i|%u|%x|%X", {-7, 7u, 255, 255}, "-7|7|ff|FF"},
        {u"%u %X", {-1, -1}, "4294967295 FFFFFFFF"},
        {u"[%5d][%-5d][%05d][%+d][% d]", {42, 42, 42, 42, 42}, "[   42][42   ][00042][+42][ 42]"},
        {u"[%.3d][%8.3s][%-4s]", {7, u"abcdef", u"ab"}, "[007][     abc][ab  ]"},
        {u"%ld %hd %ls", {1, 2, u"x"}, "1 2 x"},
        {u"%d", {INT64_MIN}, "-9223372036854775808"},
        {u"%u", {UINT64_MAX}, "18446744073709551615"},
        {u"%d", {-2147483648LL}, "-2147483648"},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(narrow(formatLangText(c.format, c.args)), c.expected);
    }
}

TEST(LangFormat, HostileFormatsArePrintedLiterally) {
    const FormatCase cases[] = {
        {u"%s%n", {u"name"}, "name%n"},
        {u"%s %s %s", {u"one"}, "one %s %s"},
        {u"%d", {u"text"}, "%d"},          // kind mismatch: no argument taken
        {u"%s then %d", {7}, "%s then 7"}, // the number waits for its own conversion
        {u"%p %f %c %e %*d %1$s", {1, u"x"}, "%p %f %c %e %*d %1$s"},
        {u"100%", {}, "100%"},
        {u"%", {5}, "%"},
        {u"%-", {5}, "%-"},
        {u"%99999999999999999999d", {1}, nullptr},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(narrow(c.format));
        const std::u16string out = formatLangText(c.format, c.args);
        if (c.expected) {
            EXPECT_EQ(narrow(out), c.expected);
        } else {
            EXPECT_LE(out.size(), 1023u);
        }
    }
}

TEST(LangFormat, OutputIsCutWithoutSplittingSurrogatePairs) {
    const std::u16string longText(2000, u'a');
    EXPECT_EQ(formatLangText(longText, {}).size(), 1023u);
    const LangArg wide[] = {LangArg(std::u16string_view(longText))};
    EXPECT_EQ(formatLangText(u"%s%s%s", wide).size(), 1023u + 0u);
    EXPECT_EQ(formatLangText(u"x%2000d", std::vector<LangArg>{1}).size(), 1023u);

    std::u16string pairs = u"ab";
    for (int i = 0; i < 600; ++i) {
        pairs += u"\U0001F600";
    }
    const std::u16string cut = formatLangText(pairs, {}, 11);
    EXPECT_EQ(cut.size(), 10u);
    EXPECT_EQ(cut.back(), u'\xDE00');
}

} // namespace
} // namespace pelmora::velmet
