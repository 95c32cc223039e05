#include "FileTime.h"

#include <gtest/gtest.h>

#include <chrono>

namespace pelmora::platform {
namespace {

bool operator==(const SystemTime& a, const SystemTime& b) {
    return a.year == b.year && a.month == b.month && a.dayOfWeek == b.dayOfWeek && a.day == b.day &&
           a.hour == b.hour && a.minute == b.minute && a.second == b.second &&
           a.milliseconds == b.milliseconds;
}

TEST(FileTime, KnownInstantsConvertBothWays) {
    const struct {
        SystemTime time;
        FileTime ticks;
    } cases[] = {
        {{1601, 1, 1, 1, 0, 0, 0, 0}, 0},
        {{1970, 1, 4, 1, 0, 0, 0, 0}, kUnixEpochAsFileTime},
        {{2000, 2, 2, 29, 12, 34, 56, 789}, 125963012967890000ull},
        {{2024, 12, 2, 31, 23, 59, 59, 999}, 133801631999990000ull},
        {{30828, 9, 4, 14, 2, 48, 5, 477}, 0x7FFFFFFFFFFFFFFFull / 10000 * 10000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(systemTimeToFileTime(c.time), c.ticks) << c.time.year;
        const auto back = fileTimeToSystemTime(c.ticks);
        ASSERT_TRUE(back.has_value());
        EXPECT_TRUE(*back == c.time) << c.time.year << " weekday " << back->dayOfWeek;
    }
    // Ticks below a millisecond are dropped when broken down.
    EXPECT_EQ(fileTimeToSystemTime(kUnixEpochAsFileTime + 9999)->milliseconds, 0);
}

TEST(FileTime, OutOfRangeValuesAreRefused) {
    const SystemTime bad[] = {
        {1600, 12, 0, 31, 0, 0, 0, 0},    {30829, 1, 0, 1, 0, 0, 0, 0},
        {30828, 9, 0, 14, 2, 48, 5, 478}, {2023, 2, 0, 29, 0, 0, 0, 0},
        {2024, 13, 0, 1, 0, 0, 0, 0},     {2024, 0, 0, 1, 0, 0, 0, 0},
        {2024, 4, 0, 31, 0, 0, 0, 0},     {2024, 1, 0, 0, 0, 0, 0, 0},
        {2024, 1, 0, 1, 24, 0, 0, 0},     {2024, 1, 0, 1, 0, 60, 0, 0},
        {2024, 1, 0, 1, 0, 0, 60, 0},     {2024, 1, 0, 1, 0, 0, 0, 1000},
    };
    for (const SystemTime& time : bad) {
        EXPECT_FALSE(systemTimeToFileTime(time).has_value())
            << time.year << "-" << time.month << "-" << time.day;
    }
    // The day of the week plays no part.
    EXPECT_TRUE(systemTimeToFileTime({2024, 2, 6, 29, 0, 0, 0, 0}).has_value());
    EXPECT_FALSE(fileTimeToSystemTime(1ull << 63).has_value());
    EXPECT_FALSE(fileTimeToSystemTime(~0ull).has_value());
}

TEST(FileTime, NowAgreesWithTheSystemClock) {
    const auto unixNow = std::chrono::duration_cast<std::chrono::seconds>(
                             std::chrono::system_clock::now().time_since_epoch())
                             .count();
    const FileTime now = currentFileTime();
    const auto seconds = static_cast<int64_t>((now - kUnixEpochAsFileTime) / 10'000'000);
    EXPECT_LE(std::abs(seconds - unixNow), 2);
    const SystemTime utc = currentUtcTime();
    EXPECT_GE(utc.year, 2024);
    EXPECT_TRUE(systemTimeToFileTime(utc).has_value());
    EXPECT_TRUE(systemTimeToFileTime(currentLocalTime()).has_value());
}

} // namespace
} // namespace pelmora::platform
