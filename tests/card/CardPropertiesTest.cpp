#include "CardProperties.h"
#include "CardTestSupport.h"

#include "LangText.h"
#include "Records.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace pelmora::model::test {
namespace {

using velmet::langText;

class CardProperties : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(langText(233), u"Never"); }
    EnglishTexts texts;
};

TEST_F(CardProperties, AccessConditionTexts) {
    const struct {
        int condition;
        int text;
    } cases[] = {{0, 109}, {1, 110}, {2, 110}, {3, 108}, {4, 111}, {14, 111}, {15, 233}, {-1, 108}};
    for (const auto& c : cases) {
        EXPECT_EQ(accessConditionText(c.condition), langText(c.text)) << c.condition;
    }
}

TEST_F(CardProperties, BookValuesAndEmptyRecordLength) {
    SimInfo info{};
    info.bookAttributes[0] = 280;
    info.bookAttributes[3] = 28;
    info.bookAttributes[4] = 1;
    info.bookAttributes[5] = 15;
    BookPropertyTexts t = bookPropertyTexts(info, 0x6F3A);
    EXPECT_EQ(t.kind, u"6f3a");
    EXPECT_EQ(t.records, u"10");
    EXPECT_EQ(t.updateCondition, langText(233));
    info.bookAttributes[3] = 0;
    t = bookPropertyTexts(info, 0);
    EXPECT_EQ(t.kind, u"0");
    EXPECT_EQ(t.records, u"0");
}

TEST_F(CardProperties, CardValuesWithMissingFieldsAndNetwork) {
    const auto list = std::filesystem::temp_directory_path() /
                      ("cardops-plmn-" + std::to_string(::getpid()) + ".ini");
    { std::ofstream(list) << "[PLMN1]\nmcc=262\nmnc=01\ncountry=Germany\noperator=Telekom\n"; }
    SimInfo info{};
    info.pin1Enabled = 1;
    info.pin1Attempts = 3;
    info.phase = 3;
    setFieldText(info.iccid, u"8949");
    info.location = 0x62F210;
    CardPropertyTexts t = cardPropertyTexts(info, list);
    EXPECT_EQ(t.pin1State, langText(95));
    EXPECT_EQ(t.pin1Attempts, u"3");
    EXPECT_EQ(t.iccid, u"8949");
    EXPECT_EQ(t.imsi, langText(108));
    EXPECT_EQ(t.phase, langText(107) + u" 2+");
    EXPECT_NE(t.network.find(u"Telekom"), std::u16string::npos);
    info.location = 0xFFF210;
    info.phase = 7;
    t = cardPropertyTexts(info, list);
    EXPECT_EQ(t.network, langText(108));
    EXPECT_EQ(t.phase, langText(107) + u" " + langText(108));
    std::filesystem::remove(list);
}

} // namespace
} // namespace pelmora::model::test
