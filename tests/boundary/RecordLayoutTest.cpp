// The boundary records are checked at compile time by their header; this test
// makes sure a build of the test suite includes that header at all and that a
// zeroed entry reads as an empty slot.
#include "Brontel.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(RecordLayout, ValueFieldsCoverTheEntryWithoutOverlap) {
    PhoneBookEntry entry;
    std::memset(&entry, 0, sizeof entry);
    const auto* base = reinterpret_cast<const char*>(&entry);
    size_t expectedOffset = offsetof(PhoneBookEntry, value0);
    for (int k = 0; k < kValueCount; ++k) {
        PhoneBookValueField field = phoneBookValue(entry, k);
        ASSERT_NE(field.text, nullptr);
        EXPECT_EQ(reinterpret_cast<const char*>(field.text) - base, static_cast<ptrdiff_t>(expectedOffset))
            << "value " << k;
        expectedOffset += field.capacity * sizeof(char16_t);
    }
    EXPECT_EQ(expectedOffset, offsetof(PhoneBookEntry, padding));
    EXPECT_EQ(phoneBookValue(entry, kValueCount).text, nullptr);
}
