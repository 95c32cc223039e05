#include "FileTime.h"

#include <chrono>
#include <ctime>

namespace pelmora::platform {
namespace {

namespace chr = std::chrono;

constexpr uint64_t kTicksPerMillisecond = 10'000;
constexpr uint64_t kTicksPerDay = 864'000'000'000ull;

// Days from 1601-01-01 to the given civil date (proleptic Gregorian).
constexpr int64_t daysSince1601(int year, unsigned month, unsigned day) {
    const chr::sys_days date = chr::year{year} / chr::month{month} / chr::day{day};
    constexpr chr::sys_days origin = chr::year{1601} / chr::January / 1;
    return (date - origin).count();
}

} // namespace

std::optional<FileTime> systemTimeToFileTime(const SystemTime& time) {
    const chr::year_month_day date{chr::year{time.year}, chr::month{time.month},
                                   chr::day{time.day}};
    if (time.year < 1601 || time.year > 30828 || !date.ok() || time.hour > 23 || time.minute > 59 ||
        time.second > 59 || time.milliseconds > 999) {
        return std::nullopt;
    }
    const auto days = static_cast<uint64_t>(daysSince1601(time.year, time.month, time.day));
    const uint64_t milliseconds =
        ((time.hour * 60ull + time.minute) * 60ull + time.second) * 1000ull + time.milliseconds;
    const FileTime ticks = days * kTicksPerDay + milliseconds * kTicksPerMillisecond;
    // The count is signed in some APIs: the last instant is 30828-09-14 02:48:05.477.
    if (ticks >= (1ull << 63)) {
        return std::nullopt;
    }
    return ticks;
}

std::optional<SystemTime> fileTimeToSystemTime(FileTime ticks) {
    if (ticks >= (1ull << 63)) {
        return std::nullopt;
    }
    const uint64_t days = ticks / kTicksPerDay;
    const uint64_t milliseconds = (ticks % kTicksPerDay) / kTicksPerMillisecond;
    constexpr chr::sys_days origin = chr::year{1601} / chr::January / 1;
    const chr::sys_days date = origin + chr::days{static_cast<int64_t>(days)};
    const chr::year_month_day ymd{date};
    SystemTime time{};
    time.year = static_cast<uint16_t>(static_cast<int>(ymd.year()));
    time.month = static_cast<uint16_t>(static_cast<unsigned>(ymd.month()));
    time.day = static_cast<uint16_t>(static_cast<unsigned>(ymd.day()));
    time.dayOfWeek = static_cast<uint16_t>(chr::weekday{date}.c_encoding());
    time.hour = static_cast<uint16_t>(milliseconds / 3'600'000);
    time.minute = static_cast<uint16_t>(milliseconds / 60'000 % 60);
    time.second = static_cast<uint16_t>(milliseconds / 1000 % 60);
    time.milliseconds = static_cast<uint16_t>(milliseconds % 1000);
    return time;
}

FileTime currentFileTime() {
    const auto since1970 =
        chr::duration_cast<chr::microseconds>(chr::system_clock::now().time_since_epoch());
    return kUnixEpochAsFileTime + static_cast<uint64_t>(since1970.count()) * 10;
}

SystemTime currentUtcTime() {
    // Always representable: the clock is past 1601 and far below 2^63 ticks.
    return fileTimeToSystemTime(currentFileTime()).value_or(SystemTime{});
}

SystemTime currentLocalTime() {
    const auto now = chr::system_clock::now();
    const std::time_t seconds = chr::system_clock::to_time_t(now);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    const auto milliseconds =
        chr::duration_cast<chr::milliseconds>(now.time_since_epoch()).count() % 1000;
    SystemTime time{};
    time.year = static_cast<uint16_t>(local.tm_year + 1900);
    time.month = static_cast<uint16_t>(local.tm_mon + 1);
    time.dayOfWeek = static_cast<uint16_t>(local.tm_wday);
    time.day = static_cast<uint16_t>(local.tm_mday);
    time.hour = static_cast<uint16_t>(local.tm_hour);
    time.minute = static_cast<uint16_t>(local.tm_min);
    time.second = static_cast<uint16_t>(local.tm_sec);
    time.milliseconds = static_cast<uint16_t>(milliseconds < 0 ? 0 : milliseconds);
    return time;
}

} // namespace pelmora::platform
