#pragma once
// Books with known contents for the file-format tests.

#include "ModelTestSupport.h"

#include "FileDocument.h"

#include <gtest/gtest.h>

namespace pelmora::model::test {

// An iDEN entry with all eleven values and their speed-dial numbers from first on.
inline PhoneBookEntry fullIdenEntry(std::u16string_view name, int first) {
    PhoneBookEntry e = makeEntry(name, u"+1 (555) 100");
    setEntryValue(e, kValuePrivateId, u"100*20*300");
    setEntryValue(e, kValueHome, u"555-2");
    setEntryValue(e, kValueWork, u"555-3");
    setEntryValue(e, kValueMobile, u"555-4");
    setEntryValue(e, kValueFax, u"555-5");
    setEntryValue(e, kValuePager, u"555-6");
    setEntryValue(e, kValueTalkgroup, u"255");
    setEntryValue(e, kValueChatAddress, u"10.0.0.1");
    setEntryValue(e, kValueOther, u"*#6");
    setEntryValue(e, kValueEmail, u"ann.lee@example.org");
    for (int k = 0; k < kValueCount; ++k) {
        e.recordNumbers[k] = first + k;
    }
    return e;
}

inline void expectSameValues(const PhoneBookEntry& a, const PhoneBookEntry& b) {
    EXPECT_EQ(fieldText(a.name), fieldText(b.name));
    for (int k = 0; k < kValueCount; ++k) {
        EXPECT_EQ(entryValue(a, k), entryValue(b, k)) << "value " << k;
    }
}

} // namespace pelmora::model::test
