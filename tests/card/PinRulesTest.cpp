#include "PinRules.h"

#include <gtest/gtest.h>

namespace pelmora::model {
namespace {

struct Entry {
    std::u16string_view text;
    bool pin, puk;
};

TEST(PinRules, LengthsAndDigits) {
    const Entry entries[] = {
        {u"", false, false},
        {u"123", false, false},
        {u"1234", true, false},
        {u"12345678", true, true},
        {u"123456789", false, false},
        {u"1234567890", false, false},
        {u"12345678901", false, false},
        {u"12a4", false, false},
        {u"1234 678", false, false},
    };
    for (const Entry& e : entries) {
        EXPECT_EQ(isPinText(e.text), e.pin) << e.text.size();
        EXPECT_EQ(isPukText(e.text), e.puk) << e.text.size();
    }
    EXPECT_TRUE(newPinConfirmed(u"4321", u"4321"));
    EXPECT_FALSE(newPinConfirmed(u"4321", u"4322"));
    EXPECT_FALSE(newPinConfirmed(u"43", u"43"));
}

} // namespace
} // namespace pelmora::model
