// iDEN names are bytes of the ANSI code page in both directions. The code page
// is chosen once per process: this test runs apart with PELMORA_CODEPAGE=1251.

#include "BookCardFixture.h"

#include "FieldText.h"
#include "card/SIMCard.h"

#include "CodePage.h"

#include <gtest/gtest.h>

namespace brontel::test {
namespace {

using IdenCodePage = BookCard;

TEST_F(IdenCodePage, CyrillicNamesComeBackUnderCodePage1251) {
    if (pelmora::platform::ansiCodePage() != 1251) {
        GTEST_SKIP() << "needs PELMORA_CODEPAGE=1251";
    }
    use(cardProfile("blank"));
    std::vector<PhoneBookEntry> contacts{entry(u"Иван")};
    codec::setFieldText(contacts[0].value1to6[kValueMobile - 1], u"123");
    contacts[0].recordNumbers[kValueMobile] = 1;
    ASSERT_EQ(write(0, contacts), 1);
    const auto record = records(files::kIden, files::kIdenValues1)[0];
    EXPECT_EQ(hexText({record.begin(), record.begin() + 5}), "C8 E2 E0 ED 00");
    BookRead book = read(0);
    EXPECT_EQ(nameOf(book.entries[0]), u"Иван");
    // Written back unchanged, not as question marks.
    ASSERT_EQ(write(0, book.entries), 1);
    EXPECT_EQ(records(files::kIden, files::kIdenValues1)[0], record);
}

} // namespace
} // namespace brontel::test
