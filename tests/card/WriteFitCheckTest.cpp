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

} // namespace
} // namespace pelmora::model::test
