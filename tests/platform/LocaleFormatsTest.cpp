#include "LocaleFormats.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace pelmora::platform {
namespace {

TEST(LocaleFormats, ListSeparatorFollowsTheDecimalSeparator) {
    EXPECT_EQ(listSeparatorForDecimalPoint(","), u';');
    EXPECT_EQ(listSeparatorForDecimalPoint("."), u',');
    EXPECT_EQ(listSeparatorForDecimalPoint("\xD9\xAB"), u','); // Arabic decimal separator
    EXPECT_TRUE(test::inChild([] {
        ::setenv("LC_ALL", "C", 1);
        return listSeparator() == u',';
    }));
    // A locale that is not installed counts as "C".
    EXPECT_TRUE(test::inChild([] {
        ::setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);
        return listSeparator() == u',' && shortDateFormat() == u"MM/dd/yy";
    }));
}

TEST(LocaleFormats, StrftimeDateFormatsBecomePictures) {
    const struct {
        const char* format;
        std::u16string_view picture;
    } cases[] = {
        {"%d.%m.%Y", u"dd.MM.yyyy"},
        {"%m/%d/%y", u"MM/dd/yy"},
        {"%Y-%m-%d", u"yyyy-MM-dd"},
        {"%F", u"yyyy-MM-dd"},
        {"%D", u"MM/dd/yy"},
        {"%e/%m/%Ey", u"d/MM/yy"},
        {"%Y. %m. %d.", u"yyyy. MM. dd."},
        {"%d de %B de %Y", u"dd 'de' MMMM 'de' yyyy"},
        {"%Y\xE5\xB9\xB4%m\xE6\x9C\x88%d\xE6\x97\xA5", u"yyyy\u5E74MM\u6708dd\u65E5"},
        {"%a %d %b", u"ddd dd MMM"},
        {"%H:%M %d", u": dd"},
        {"100%% %d", u"100% dd"},
        {"it's %d", u"'it''s' dd"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(datePictureFromStrftime(c.format), c.picture) << c.format;
    }
}

TEST(LocaleFormats, DatesFormatWithPictures) {
    const SystemTime date{2024, 3, 2, 5, 14, 7, 9, 0};
    const struct {
        std::u16string_view picture;
        std::u16string_view text;
    } cases[] = {
        {u"dd.MM.yyyy", u"05.03.2024"},
        {u"d/M/yy", u"5/3/24"},
        {u"MM/dd/yy", u"03/05/24"},
        {u"y", u"24"},
        {u"dddd, MMMM d", u"Tuesday, March 5"},
        {u"ddd dd MMM", u"Tue 05 Mar"},
        {u"dd' de 'MMMM", u"05 de March"},
        {u"'it''s' d", u"it's 5"},
        {u"''d''", u"'5'"},
        {u"'unclosed", u"unclosed"},
        {u"yyyy\u5E74", u"2024\u5E74"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatDate(date, c.picture), c.text);
    }
    // Broken dates do not index outside the name tables.
    EXPECT_EQ(formatDate({2024, 13, 9, 5, 0, 0, 0, 0}, u"dddd MMMM MM"), u"Tuesday  13");
}

TEST(LocaleFormats, PicturesRoundTripTheirDate) {
    // What the translation writes, the formatter reads.
    const SystemTime date{2009, 11, 0, 8, 0, 0, 0, 0};
    EXPECT_EQ(formatDate(date, datePictureFromStrftime("%d de %B de %Y")),
              u"08 de November de 2009");
    EXPECT_EQ(formatDate(date, datePictureFromStrftime("it's %e")), u"it's 8");
}

} // namespace
} // namespace pelmora::platform
