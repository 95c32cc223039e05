#include "ModelSettings.h"
#include "BookKind.h"
#include "Category.h"

#include <gtest/gtest.h>

using namespace pelmora::model;

TEST(ModelSettings, OptionsComeFromTheSettingsRecord) {
    pelmora::velmet::Settings settings;
    settings.capacities.own = 12;
    settings.capacities.ldn = -3;
    settings.capacities.bdn = 70000;
    settings.allowEmptyNameContacts = true;
    settings.saveCsvAnsi = false;
    const PhoneBookFileOptions options = phoneBookFileOptions(settings);
    EXPECT_EQ(options.capacities.forKind(kBookMsisdn), 12u);
    EXPECT_EQ(options.capacities.forKind(kBookLnd), 0u);
    EXPECT_EQ(options.capacities.forKind(kBookBdn), Category::kMaxSlots);
    EXPECT_EQ(options.capacities.forKind(kBookSms), 30u);
    EXPECT_TRUE(options.allowEmptyNameContacts);
    EXPECT_FALSE(options.saveCsvAnsi);
    EXPECT_TRUE(options.saveOnlyAdnCsv);
}

TEST(ModelSettings, ACsvSaveKeepsItsSeparator) {
    pelmora::velmet::Settings settings;
    rememberListSeparator(settings, "book.phn", u';', SaveOutcome{});
    EXPECT_EQ(settings.listSeparator, u",");
    rememberListSeparator(settings, "book.CSV", u';', SaveOutcome{std::string("disk full"), false});
    EXPECT_EQ(settings.listSeparator, u",");
    rememberListSeparator(settings, "book.CSV", u';', SaveOutcome{});
    EXPECT_EQ(settings.listSeparator, u";");
}
