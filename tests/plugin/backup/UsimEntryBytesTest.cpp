// A USIM book entry as a backup value: read back as saved, and refused when
// the saved bytes are damaged.

#include "backup/UsimBookBackup.h"

#include <gtest/gtest.h>

#include <string>

namespace brontel {
namespace {

PhoneBookEntry sample() {
    PhoneBookEntry entry{};
    std::u16string(u"Renée Dubois").copy(entry.name, 241);
    std::u16string(u"+33199001234").copy(entry.value0, 60);
    std::u16string(u"renee_d@example.fr").copy(entry.value10, 255);
    std::u16string(u"René").copy(entry.value9, 60);
    return entry;
}

TEST(UsimEntryBytes, ReadBackAsSaved) {
    const auto entry = usimEntryFromBytes(usimEntryBytes(sample()));
    ASSERT_TRUE(entry);
    EXPECT_EQ(std::u16string(entry->name), u"Renée Dubois");
    EXPECT_EQ(std::u16string(entry->value0), u"+33199001234");
    EXPECT_EQ(std::u16string(entry->value9), u"René");
    EXPECT_EQ(std::u16string(entry->value10), u"renee_d@example.fr");
    EXPECT_EQ(std::u16string(entry->value1to6[1]), u"");
}

TEST(UsimEntryBytes, DamagedBytesAreRefused) {
    const std::vector<uint8_t> good = usimEntryBytes(sample());
    std::vector<uint8_t> cut(good.begin(), good.end() - 1);
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    std::vector<uint8_t> tooLongName = good;
    tooLongName[0] = 242; // the name field holds 241 units
    tooLongName[1] = 0;
    std::vector<uint8_t> runsOn = good;
    runsOn[1] = 0xFF;
    for (const auto& bytes : {cut, longer, tooLongName, runsOn, std::vector<uint8_t>{}}) {
        EXPECT_FALSE(usimEntryFromBytes(bytes)) << bytes.size();
    }
}

} // namespace
} // namespace brontel
