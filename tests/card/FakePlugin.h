#pragma once
// An in-process card plug-in for the card-operation tests: one card in one
// reader, with books, PINs and chosen failures, behind the 21 exports'
// signatures. Lets the tests count calls and break the card at will.

#include "PluginBinding.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace pelmora::model::test {

struct FakeBook {
    std::vector<PhoneBookEntry> records;
    int readCondition = 1;
    int updateCondition = 1;
};

struct FakeCard {
    std::vector<std::u16string> readers = {u"Reader A"};
    bool present = true;
    std::u16string iccid = u"8931000000000000001";
    std::map<int, FakeBook> books;

    std::u16string pin1 = u"1234", pin2 = u"5678", puk1 = u"12345678", puk2 = u"87654321";
    int pin1Attempts = 3, puk1Attempts = 10, pin2Attempts = 3, puk2Attempts = 10;
    bool pin1Enabled = true;
    bool pin1Verified = false, pin2Verified = false;

    // Failures on the next calls.
    bool throwInCardInfo = false;
    bool failCardInfo = false;

    int lastError = 0;
    std::map<std::string, int> calls;
    std::set<std::thread::id> callerThreads; // every thread that called an export
    // Called after each record a book read or write has done (1-based).
    std::function<void(int record)> onRecord;
    // Called by restore_sim, which then fails as the fake makes no backups.
    std::function<void()> onRestore;
};

// The card the fake exports work on.
FakeCard& fakeCard();
void resetFakeCard();
// Binds the fake exports; without is a name left out.
bool bindFake(PluginBinding& binding, const std::string& without = "");

} // namespace pelmora::model::test
