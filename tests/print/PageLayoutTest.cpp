// The printed pages of phone books, iDEN books and messages: where each line
// stands and where pages break.

#include "PageLayout.h"
#include "PrintOptions.h"
#include "Records.h"

#include <gtest/gtest.h>

#include <set>

namespace pelmora::print {
namespace {

// 20 lines of 10 units on a page; a page is full once y passes 180.
const PageMetrics kPage{800, 200, 10, 5, {}};

LayoutRequest withHeader() {
    return {{u"Title", u"Pelmora 2", u"Phone book", u"07.12.2026 20:15:00"}, true, false, false};
}

void fillEntries(model::Category& book, int count) {
    for (int slot = 0; slot < count; ++slot) {
        PhoneBookEntry& entry = *book.entry(slot);
        model::setFieldText(entry.name, u"Name " + std::u16string(1, u'A' + slot % 26));
        model::setEntryValue(entry, kValueMain, u"+4477009001");
    }
}

void fillMessages(model::Category& book, int count) {
    for (int slot = 0; slot < count; ++slot) {
        SmsEntry& message = *book.message(slot);
        model::setFieldText(message.text, u"Hello\r\nthere");
        model::setFieldText(message.address, u"+491701234567");
    }
}

// The distinct heights at which a page prints something.
std::set<int> rowsOf(const PrintedPage& page) {
    std::set<int> rows;
    for (const PrintedLine& line : page.lines) {
        rows.insert(line.y);
    }
    return rows;
}

const PrintedLine* lineWith(const PrintedPage& page, std::u16string_view text) {
    for (const PrintedLine& line : page.lines) {
        if (line.text == text) {
            return &line;
        }
    }
    return nullptr;
}

TEST(PageLayout, EmptyBookPrintsOneHeaderPageNumberedOne) {
    const model::Category book(model::kBookAdn, 10);
    const std::vector<PrintedPage> pages = layoutPages(book, withHeader(), kPage);
    ASSERT_EQ(pages.size(), 1u);
    const std::vector<PrintedLine> expected = {
        {400 - 12, 0, u"Title"},       {400 - 22, 10, u"Pelmora 2"},
        {400 - 25, 20, u"Phone book"}, {800 - (19 + 10) * 5, 30, u"07.12.2026 20:15:00"},
        {400 - 2, 190, u"1"},
    };
    EXPECT_EQ(pages[0].lines, expected);
}

TEST(PageLayout, EmptyBookWithoutHeaderIsAnEmptyPage) {
    const model::Category book(model::kBookSms, 10);
    LayoutRequest request;
    const std::vector<PrintedPage> numbered = layoutPages(book, request, kPage);
    ASSERT_EQ(numbered.size(), 1u);
    EXPECT_EQ(numbered[0].lines, (std::vector<PrintedLine>{{398, 190, u"1"}}));
    request.pageNumbers = false;
    const std::vector<PrintedPage> bare = layoutPages(book, request, kPage);
    ASSERT_EQ(bare.size(), 1u);
    EXPECT_TRUE(bare[0].lines.empty());
}

TEST(PageLayout, PhoneBookPrintsOneLinePerEntryAndBreaksPages) {
    model::Category book(model::kBookAdn, 60);
    fillEntries(book, 40);
    const std::vector<PrintedPage> pages = layoutPages(book, withHeader(), kPage);
    // Page 1: 4 header lines and entries 1..15 (y 40..180); then 19 per page.
    ASSERT_EQ(pages.size(), 3u);
    const PrintedLine* first = lineWith(pages[0], u"1");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->x, 4);
    EXPECT_EQ(first->y, 40);
    EXPECT_EQ(pages[0].lines[5], (PrintedLine{4 + 8 * 5, 40, u"Name A"}));
    EXPECT_EQ(pages[0].lines[6], (PrintedLine{400, 40, u"+4477009001"}));
    EXPECT_NE(lineWith(pages[0], u"15"), nullptr);
    EXPECT_EQ(lineWith(pages[1], u"16")->y, 0);
    EXPECT_EQ(lineWith(pages[2], u"40")->y, 50);
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(pages[n].number, n + 1);
        EXPECT_EQ(pages[n].lines.back(), (PrintedLine{398, 190, std::u16string(1, u'1' + n)}));
    }
}

TEST(PageLayout, NameWiderThanItsColumnGoesOnBelowInsteadOfUnderTheNumber) {
    model::Category book(model::kBookAdn, 2);
    fillEntries(book, 2);
    std::u16string name;
    for (int word = 0; word < 19; ++word) {
        name += u"abcd ";
    }
    model::setFieldText(book.entry(0)->name, name + u"wxyz");
    LayoutRequest request;
    request.pageNumbers = false;
    const PrintedPage page = layoutPages(book, request, kPage)[0];
    // 70 characters fit between column 8 and a unit before the half width.
    const std::vector<PrintedLine> first = {{4, 0, u"1"},
                                            {44, 0, name.substr(0, 69)},
                                            {400, 0, u"+4477009001"},
                                            {44, 10, u"abcd abcd abcd abcd abcd wxyz"}};
    EXPECT_EQ(std::vector<PrintedLine>(page.lines.begin(), page.lines.begin() + 4), first);
    EXPECT_EQ(lineWith(page, u"2")->y, 20);
}

TEST(PageLayout, NoBlankPageFollowsAFullPageWhenOnlyEmptySlotsRemain) {
    model::Category book(model::kBookAdn, 100);
    fillEntries(book, 19);
    LayoutRequest request;
    EXPECT_EQ(layoutPages(book, request, kPage).size(), 1u);
}

TEST(PageLayout, MessageColumnHeaderOnlyWhereAMessageStartsAPage) {
    model::Category book(model::kBookSms, 20);
    fillMessages(book, 8);
    const std::vector<PrintedPage> pages = layoutPages(book, withHeader(), kPage);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(lineWith(pages[0], u"Pos."), nullptr);
    EXPECT_EQ(lineWith(pages[0], u"1")->y, 40);
    EXPECT_EQ(lineWith(pages[0], u"Hello  there")->x, 4 + 6 * 5);
    const PrintedLine* columns = lineWith(pages[1], u"Pos.");
    ASSERT_NE(columns, nullptr);
    EXPECT_EQ(columns->y, 0);
    EXPECT_EQ(lineWith(pages[1], u"Date:")->x, 4 + 50 * 5);
    EXPECT_EQ(lineWith(pages[1], u"6")->y, 10);

    const std::vector<PrintedPage> plain = layoutPages(book, LayoutRequest{}, kPage);
    EXPECT_EQ(lineWith(plain[0], u"Pos.")->y, 0);
}

TEST(PageLayout, MessageTextWiderThanThePageWrapsAtABlank) {
    model::Category book(model::kBookSms, 2);
    fillMessages(book, 2);
    std::u16string text;
    for (int word = 0; word < 31; ++word) {
        text += u"abcd ";
    }
    model::setFieldText(book.message(0)->text, text + u"efghi");
    LayoutRequest request;
    request.pageNumbers = false;
    const PrintedPage page = layoutPages(book, request, kPage)[0];
    // 153 characters fit after column 6: the last blank before them ends line 1.
    ASSERT_EQ(page.lines.size(), 4u + 4u + 3u); // column heads, two messages
    EXPECT_EQ(page.lines[6], (PrintedLine{34, 20, text.substr(0, 149)}));
    EXPECT_EQ(page.lines[7], (PrintedLine{34, 30, u"abcd efghi"}));
    EXPECT_EQ(lineWith(page, u"2")->y, 50);
}

TEST(PageLayout, DeletedMessagesPrintOnlyWhenAsked) {
    model::Category book(model::kBookSms, 3);
    fillMessages(book, 2);
    book.message(0)->flags = static_cast<int32_t>(kSmsDeleted);
    LayoutRequest request;
    request.pageNumbers = false;
    EXPECT_EQ(lineWith(layoutPages(book, request, kPage)[0], u"1"), nullptr);
    request.deletedMessages = true;
    EXPECT_NE(lineWith(layoutPages(book, request, kPage)[0], u"1"), nullptr);
}

TEST(PageLayout, IdenEntryPrintsAFirstLineAndOneLinePerFilledField) {
    model::Category book(model::kBookNextel, 2);
    model::setFieldText(book.entry(0)->name, u"Only a name");
    model::setFieldText(book.entry(1)->name, u"Every field");
    for (int value = 0; value < kValueCount; ++value) {
        model::setEntryValue(*book.entry(1), value, u"7" + std::u16string(1, u'0' + value % 10));
    }
    LayoutRequest request;
    request.pageNumbers = false;
    model::Category single(model::kBookNextel, 1);
    model::setFieldText(single.entry(0)->name, u"Only a name");
    EXPECT_EQ(rowsOf(layoutPages(single, request, kPage)[0]).size(), 1u);

    const std::vector<PrintedPage> pages = layoutPages(book, request, kPage);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(rowsOf(pages[0]).size(), 12u);
    // Work is the first field line: value 3 at half the width.
    EXPECT_EQ(lineWith(pages[0], u"73")->y, 20);
    EXPECT_EQ(lineWith(pages[0], u"73")->x, 400);
    EXPECT_EQ(lineWith(pages[0], u"71")->y, 100); // Private ID#, second last
}

TEST(PageLayout, AnEntryThatWouldRunIntoThePageNumberStartsTheNextPage) {
    model::Category book(model::kBookNextel, 20);
    for (int slot = 0; slot < 2; ++slot) {
        model::setFieldText(book.entry(slot)->name, u"Contact");
        for (int value = 0; value < kValueCount; ++value) {
            model::setEntryValue(*book.entry(slot), value, u"123");
        }
    }
    const std::vector<PrintedPage> pages = layoutPages(book, LayoutRequest{}, kPage);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(lineWith(pages[1], u"2")->y, 0);
    for (const PrintedPage& page : pages) {
        EXPECT_LT(*rowsOf(page).rbegin(), 200);
    }
}

TEST(PrintHeader, OptionsChooseTheLines) {
    PrintOptions options;
    options.title = std::u16string(300, u'x');
    options.dateTime = false;
    const PrintHeader header = printHeader(options, u"Pelmora 2", model::kBookAdn, {});
    EXPECT_EQ(header.title.size(), kMaxTitleLength);
    EXPECT_EQ(header.programTitle, u"Pelmora 2");
    EXPECT_FALSE(header.sourceName.empty());
    EXPECT_TRUE(header.dateTime.empty());
    options.programName = false;
    options.sourceName = false;
    EXPECT_TRUE(printHeader(options, u"Pelmora 2", model::kBookAdn, {}).programTitle.empty());
}

} // namespace
} // namespace pelmora::print
