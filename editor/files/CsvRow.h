#pragma once
// The columns of a contact in .csv files and clipboard text, and how a row
// of them is written. A book's layout is its name and number, then the iDEN
// book's ten further values or the additional values of a book that has them.

#include "Brontel.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::model {

// Value index of each column of an iDEN row: name, Main / Work 2, Work, Home,
// Mobile, Fax, Pager, Other, E-mail, Chat address, Private ID, Talkgroup.
inline constexpr int kCsvNameColumn = -1;
inline constexpr std::array<int, 12> kIdenCsvColumns = {
    kCsvNameColumn, kValueMain,  kValueWork,  kValueHome,        kValueMobile,    kValueFax,
    kValuePager,    kValueOther, kValueEmail, kValueChatAddress, kValuePrivateId, kValueTalkgroup};
inline constexpr size_t kOrdinaryCsvColumnCount = 2;

// Column titles of the header line (language texts 2, 3 and 132 to 141, and
// those of the USIM book's additional values).
struct CsvHeaderTexts {
    std::u16string name = u"Name";
    std::u16string phone = u"Phone";
    std::array<std::u16string, 10> iden = {u"Work",       u"Home",     u"Mobile", u"Fax",
                                           u"Pager",      u"Other",    u"Email",  u"Chat Address",
                                           u"Private ID", u"Talkgroup"};
    std::vector<std::u16string> usim = {u"Number 2", u"Number 3", u"Number 4", u"Number 5",
                                        u"Number 6", u"E-mail",   u"E-mail 2", u"Second name"};
};

// The titles in the language in use; a title the language lacks keeps its
// English default.
[[nodiscard]] CsvHeaderTexts csvHeaderTexts();

// The columns of an entry of the book: 2 for ordinary books, 12 for the iDEN
// book, 2 and one per additional value for a book that has them.
[[nodiscard]] std::vector<std::u16string> csvColumns(const PhoneBookEntry& entry,
                                                     uint16_t bookKind);
[[nodiscard]] std::vector<std::u16string> csvHeader(const CsvHeaderTexts& texts, uint16_t bookKind);
// The book whose layout a header of this many columns has: the USIM book's
// width, any other beyond 2 the iDEN book's, else the ADN book's.
[[nodiscard]] uint16_t csvLayoutBook(size_t columns);

// A field holding the separator, a quote, a blank or a line break is put in
// quotes, its quotes doubled.
[[nodiscard]] std::u16string quoteCsvField(std::u16string_view field, char16_t separator);
// The quoted fields joined by the separator, ending "\r\n".
[[nodiscard]] std::u16string formatCsvRow(const std::vector<std::u16string>& fields,
                                          char16_t separator);

} // namespace pelmora::model
