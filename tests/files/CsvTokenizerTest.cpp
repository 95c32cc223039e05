#include "CsvTokenizer.h"

#include <gtest/gtest.h>

using namespace pelmora::model;

namespace {

using Rows = std::vector<TextRow>;

struct Case {
    const char* label;
    std::u16string text;
    Rows rows;
};

} // namespace

TEST(CsvTokenizer, RowsAndFieldsFromThisAndOtherPrograms) {
    const Case cases[] = {
        {"own file",
         u"Name,Phone\r\n\"Smith, Anna\",\"+44 20\"\r\nBob,123\r\n",
         {{u"Name", u"Phone"}, {u"Smith, Anna", u"+44 20"}, {u"Bob", u"123"}}},
        {"doubled quotes", u"\"say \"\"hi\"\"\",1", {{u"say \"hi\"", u"1"}}},
        {"unix line ends", u"a,1\nb,2\n", {{u"a", u"1"}, {u"b", u"2"}}},
        {"old mac line ends", u"a,1\rb,2", {{u"a", u"1"}, {u"b", u"2"}}},
        {"blanks after separators", u"Bob, 123,\t456", {{u"Bob", u"123", u"456"}}},
        {"blank before a quoted field", u"x, \"a,b\"", {{u"x", u"a,b"}}},
        {"line break inside quotes",
         u"\"two\r\nlines\",1\r\nnext,2",
         {{u"two\r\nlines", u"1"}, {u"next", u"2"}}},
        {"text after the closing quote", u"\"ab\"cd,1", {{u"abcd", u"1"}}},
        {"quote inside an unquoted field", u"Bob \"B\" Smith,1", {{u"Bob \"B\" Smith", u"1"}}},
        {"quote that never closes", u"\"open,1\r\nnext,2", {{u"\"open", u"1"}, {u"next", u"2"}}},
        {"empty fields and trailing separator", u"a,,\r\n", {{u"a", u"", u""}}},
        {"blank lines left out", u"\r\n\r\na,1\r\n  \r\n\nb,2", {{u"a", u"1"}, {u"b", u"2"}}},
        {"empty text", u"", {}},
        {"header only", u"Name,Phone", {{u"Name", u"Phone"}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tokenizeRows(c.text, u','), c.rows) << c.label;
    }
}

TEST(CsvTokenizer, LongLinesStayWhole) {
    const std::u16string name(2000, u'x');
    const Rows rows = tokenizeRows(name + u";1\r\nnext;2", u';');
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0].size(), 2000u);
    EXPECT_EQ(rows[1], (TextRow{u"next", u"2"}));
}

TEST(CsvTokenizer, SeparatorIsTheCallers) {
    EXPECT_EQ(tokenizeRows(u"Bob;123;456", u';'), (Rows{{u"Bob", u"123", u"456"}}));
    EXPECT_EQ(tokenizeRows(u"Bob;123", u','), (Rows{{u"Bob;123"}}));
}
