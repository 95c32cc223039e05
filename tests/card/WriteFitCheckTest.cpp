#include "CardTestSupport.h"

#include "WriteFitCheck.h"

#include <gtest/gtest.h>

namespace pelmora::model::test {
namespace {

SimInfo bookOf(int records, int recordLength) {
    SimInfo info{};
    info.bookAttributes[0] = records * recordLength;
    info.bookAttributes[3] = recordLength;
    return info;
}

TEST(WriteFitCheck, NamesCutNumbersAndSlotsPastTheRecords) {
    Category adn(kBookAdn, 5);
    *adn.entry(0) = contact(u"Fits", u"+44 (20) 7946-0001");
    *adn.entry(1) = contact(u"Fifteen chars..", u"1");
    *adn.entry(2) = contact(u"Letter", u"12x3");
    *adn.entry(4) = contact(u"", u"999");
    const std::vector<Misfit> misfits = entriesThatDoNotFit(adn, bookOf(4, 28), 0);
    ASSERT_EQ(misfits.size(), 3u);
    EXPECT_EQ(misfits[0].reason, MisfitReason::NameCut);
    EXPECT_EQ(misfits[0].becomes, u"Fifteen chars.");
    EXPECT_EQ(misfits[1].reason, MisfitReason::NumberCut);
    EXPECT_EQ(misfits[1].becomes, u"123");
    EXPECT_EQ(misfits[2].reason, MisfitReason::BeyondRecords);
    EXPECT_EQ(misfits[2].text, u"999");
    EXPECT_TRUE(entriesThatDoNotFit(adn, SimInfo{}, 0).empty()); // nothing known, nothing named
}

TEST(WriteFitCheck, IdenNamesInTheCodePage) {
    // An iDEN record of 56 bytes holds a name of 16 bytes and its end; the
    // tests run with code page 1252.
    Category iden(kBookNextel, 3);
    for (int slot = 0; slot < 3; ++slot) {
        iden.entry(slot)->recordNumbers[kValueMain] = slot + 1;
    }
    setFieldText(iden.entry(0)->name, u"Jürgen Schäfer");
    setFieldText(iden.entry(1)->name, u"Иван Петров");
    setFieldText(iden.entry(2)->name, u"Seventeen letters");
    for (int slot = 0; slot < 3; ++slot) {
        setFieldText(iden.entry(slot)->value0, u"123");
    }
    const std::vector<Misfit> misfits = entriesThatDoNotFit(iden, bookOf(3, 56), 0);
    ASSERT_EQ(misfits.size(), 2u);
    EXPECT_EQ(misfits[0].reason, MisfitReason::NameCut);
    EXPECT_EQ(misfits[0].becomes, u"???? ??????");
    EXPECT_EQ(misfits[1].becomes, u"Seventeen letter");
}

} // namespace
} // namespace pelmora::model::test
