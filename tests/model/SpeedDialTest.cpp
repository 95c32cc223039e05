#include "ModelTestSupport.h"

#include "SpeedDialNumbers.h"

#include <gtest/gtest.h>

using namespace pelmora::model;
using namespace pelmora::model::test;

namespace {

// A six-slot iDEN book whose first entry holds the given speed-dial numbers.
void useNumbers(Category& book, std::initializer_list<std::pair<int, int>> valueAndNumber) {
    book.create(kBookNextel, 6);
    PhoneBookEntry& e = *book.entry(0);
    e = makeEntry(u"Ann", u"1");
    for (auto [value, number] : valueAndNumber) {
        e.recordNumbers[value] = number;
    }
}

} // namespace

TEST(FreeSpeedDialMap, NumbersOfEntriesAreTakenAndEmptiedFieldsFreeTheirs) {
    Category book;
    useNumbers(book, {{kValueMain, 1}, {kValueMobile, 3}});
    SpeedDialPanel panel;
    std::vector<uint8_t> map = freeSpeedDialMap(book, panel, -1);
    EXPECT_EQ(map, (std::vector<uint8_t>{0, 1, 0, 1, 1, 1}));
    EXPECT_EQ(lowestFreeNumber(map), 2);

    panel.valueEmpty[kValueMobile] = true;
    map = freeSpeedDialMap(book, panel, 0);
    EXPECT_EQ(map[2], 1);
    EXPECT_EQ(map[0], 0);
}

TEST(FreeSpeedDialMap, EveryBoxCountsIncludingTheTalkgroup) {
    Category book(kBookNextel, 12);
    SpeedDialPanel panel;
    for (int k = 0; k < kValueCount; ++k) {
        const std::string number = std::to_string(k + 1);
        panel.boxes[static_cast<size_t>(k)] = std::u16string(number.begin(), number.end());
    }
    std::vector<uint8_t> map = freeSpeedDialMap(book, panel, -1);
    EXPECT_EQ(map[kValueTalkgroup], 0) << "talkgroup box";
    EXPECT_EQ(lowestFreeNumber(map), 12);
}

TEST(FreeSpeedDialMap, NumbersOutsideTheBookAndNonNumbersAreIgnored) {
    Category book;
    useNumbers(book, {{kValueHome, 99}, {kValueFax, -4}, {11, 6}});
    SpeedDialPanel panel;
    panel.boxes[0] = u"0";
    panel.boxes[1] = u"7";
    panel.boxes[2] = u"abc";
    panel.boxes[3] = u"2x";
    panel.boxes[4] = u"99999999999999999999";
    panel.boxes[5] = u" 2";
    std::vector<uint8_t> map = freeSpeedDialMap(book, panel, -1);
    EXPECT_EQ(map, (std::vector<uint8_t>{1, 1, 1, 1, 1, 0}));
}

TEST(SpeedDialNumbers, LowestFreeIsHandedOutInOrderAndReleasedNumbersReturn) {
    SpeedDialNumbers numbers(3);
    numbers.take(1);
    EXPECT_EQ(numbers.takeLowest(), 2);
    EXPECT_EQ(numbers.takeLowest(), 3);
    EXPECT_EQ(numbers.takeLowest(), 0);
    numbers.release(2);
    EXPECT_EQ(numbers.takeLowest(), 2);
    numbers.grow(4);
    EXPECT_EQ(numbers.takeLowest(), 4);
}
