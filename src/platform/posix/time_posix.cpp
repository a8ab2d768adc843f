// File times and calendar times. File times are UTC in 100 ns units since 1601-01-01; the
// calendar conversions of file times are plain arithmetic (proleptic Gregorian calendar), the
// local ones ask the C library about the process's time zone (TZ honoured).
#include <cstdint>
#include <ctime>
#include <limits>

#include "platform/os.h"
#include "platform/posix/host_file.h"

namespace Orvane::Os {
namespace {

constexpr std::int64_t kTicksPerMillisecond = 10'000;
constexpr std::int64_t kTicksPerSecond = 1000 * kTicksPerMillisecond;
constexpr std::int64_t kTicksPerDay = 86'400 * kTicksPerSecond;
constexpr std::int64_t kDaysFrom1601To1970 = 134'774;
constexpr std::int64_t kLargestFileTime = std::numeric_limits<std::int64_t>::max();
constexpr int kFirstYear = 1601;
constexpr int kLastYear = 30827;
// The last second the C library's 64-bit time functions represent: 3000-12-31 23:59:59 UTC.
constexpr std::int64_t kLastTime64 = 32'535'215'999;

bool IsLeapYear(std::int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(std::int64_t year, int month) {
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1970-01-01 of a date, and back (H. Hinnant's algorithms for the civil calendar).
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2;
    std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    std::int64_t yearOfEra = year - era * 400;
    std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

SystemTime CivilFromDays(std::int64_t days) {
    days += 719468;
    std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    std::int64_t dayOfEra = days - era * 146097;
    std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    SystemTime date;
    date.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    date.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2));
    return date;
}

bool IsValid(const SystemTime& fields) {
    return fields.year >= kFirstYear && fields.year <= kLastYear && fields.month >= 1 &&
           fields.month <= 12 && fields.day >= 1 &&
           fields.day <= DaysInMonth(fields.year, fields.month) && fields.hour >= 0 &&
           fields.hour < 24 && fields.minute >= 0 && fields.minute < 60 && fields.second >= 0 &&
           fields.second < 60 && fields.milliseconds >= 0 && fields.milliseconds < 1000;
}

// seconds (since 1970) + ticks as a file time; false outside 1601 .. the largest file time.
bool FileTimeFromSeconds(std::int64_t seconds, std::int64_t ticks, FileTime* time) {
    constexpr std::int64_t kFirstSecond = -kDaysFrom1601To1970 * 86'400;
    constexpr std::int64_t kLastSecond =
        (kLargestFileTime - kDaysFrom1601To1970 * kTicksPerDay) / kTicksPerSecond - 1;
    if (seconds < kFirstSecond || seconds > kLastSecond) return false;
    *time = static_cast<FileTime>((seconds - kFirstSecond) * kTicksPerSecond + ticks);
    return true;
}

}  // namespace

bool FileTimeToSystemTime(FileTime time, SystemTime* fields) {
    if (time > static_cast<FileTime>(kLargestFileTime)) return false;
    auto ticks = static_cast<std::int64_t>(time);
    std::int64_t ofDay = ticks % kTicksPerDay;
    SystemTime result = CivilFromDays(ticks / kTicksPerDay - kDaysFrom1601To1970);
    result.hour = static_cast<int>(ofDay / (3600 * kTicksPerSecond));
    result.minute = static_cast<int>(ofDay / (60 * kTicksPerSecond) % 60);
    result.second = static_cast<int>(ofDay / kTicksPerSecond % 60);
    result.milliseconds = static_cast<int>(ofDay / kTicksPerMillisecond % 1000);
    *fields = result;
    return true;
}

bool SystemTimeToFileTime(const SystemTime& fields, FileTime* time) {
    if (!IsValid(fields)) return false;
    std::int64_t days = DaysFromCivil(fields.year, fields.month, fields.day) + kDaysFrom1601To1970;
    std::int64_t seconds = (fields.hour * 60 + fields.minute) * 60 + fields.second;
    *time = static_cast<FileTime>(days * kTicksPerDay + seconds * kTicksPerSecond +
                                  fields.milliseconds * kTicksPerMillisecond);
    return true;
}

bool FileTimeToLocalFileTime(FileTime utc, FileTime* local) {
    timespec instant;
    std::tm fields;
    if (!Posix::TimespecFrom(utc, &instant) || ::localtime_r(&instant.tv_sec, &fields) == nullptr)
        return false;
    std::int64_t shifted = static_cast<std::int64_t>(utc) + fields.tm_gmtoff * kTicksPerSecond;
    if (shifted < 0) return false;
    *local = static_cast<FileTime>(shifted);
    return true;
}

bool LocalFileTimeToFileTime(FileTime local, FileTime* utc) {
    SystemTime calendar;
    if (!FileTimeToSystemTime(local, &calendar)) return false;
    std::tm fields{};
    fields.tm_year = calendar.year - 1900;
    fields.tm_mon = calendar.month - 1;
    fields.tm_mday = calendar.day;
    fields.tm_hour = calendar.hour;
    fields.tm_min = calendar.minute;
    fields.tm_sec = calendar.second;
    fields.tm_isdst = -1;
    fields.tm_yday = -1;  // mktime sets it on success: tells a failure from the instant -1
    std::time_t seconds = std::mktime(&fields);
    if (seconds == -1 && fields.tm_yday == -1) return false;
    return FileTimeFromSeconds(seconds, static_cast<std::int64_t>(local % kTicksPerSecond), utc);
}

std::int64_t MakeTime64(std::tm* fields) {
    std::int64_t seconds = std::mktime(fields);
    return seconds < 0 || seconds > kLastTime64 ? -1 : seconds;
}

bool LocalTime64(std::int64_t time, std::tm* fields) {
    if (time < 0 || time > kLastTime64) return false;
    auto seconds = static_cast<std::time_t>(time);
    return ::localtime_r(&seconds, fields) != nullptr;
}

}  // namespace Orvane::Os
