#include "FieldRules.h"

#include "BookKind.h"
#include "Brontel.h"

#include <gtest/gtest.h>

using namespace pelmora::model;

TEST(FieldRules, CardLimitsOfIdenValues) {
    struct Case {
        int value;
        const char16_t* text;
        bool holds;
    };
    const Case cases[] = {
        {kValueTalkgroup, u"255", true},
        {kValueTalkgroup, u"256", false},
        {kValueTalkgroup, u"0255", true},
        {kValueTalkgroup, u"1a", false},
        {kValueChatAddress, u"10.0.0.1", true},
        {kValueChatAddress, u"10.0.256.1", false},
        {kValueChatAddress, u"999999999999999999999.1", false},
        {kValueChatAddress, u"10-0", false},
        {kValuePrivateId, u"100*20*300", true},
        {kValuePrivateId, u"1048576*1*1", false},
        {kValuePrivateId, u"1*1048576*1", false},
        {kValuePrivateId, u"1*1*1*1", false},
        {kValuePrivateId, u"1023*15*2097151", true},
        {kValuePrivateId, u"1023*15*2097152", false},
        {kValueEmail, u"ann@example.org", true},
        {kValueEmail, u"ann smith@x", false},
        {kValueMobile, u"+1 (555) 123-4567", true},
        {kValueMobile, u"555 CALL", false},
        {kValueMain, u"", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cardCanHold(kBookNextel, c.value, c.text), c.holds)
            << c.value << " " << std::char_traits<char16_t>::length(c.text);
    }
}

TEST(FieldRules, OrdinaryBooksCheckOnlyTheNumber) {
    EXPECT_TRUE(cardCanHold(kBookAdn, kValueMain, u"*#06#"));
    EXPECT_FALSE(cardCanHold(kBookAdn, kValueMain, u"mail@x"));
    EXPECT_FALSE(cardCanHold(kBookAdn, 11, u"1"));
}

TEST(FieldRules, UsimBookChecksItsFurtherNumbersButNotItsTexts) {
    EXPECT_TRUE(cardCanHold(kBookUsim, kValueWork, u"+44 (1632) 960-101"));
    EXPECT_FALSE(cardCanHold(kBookUsim, kValuePager, u"555 CALL"));
    EXPECT_TRUE(cardCanHold(kBookUsim, kValueEmail, u"o'neil_ann@example.org"));
    EXPECT_TRUE(cardCanHold(kBookUsim, kValueOther, u"Ваня"));
}
