// File times, calendar fields and the C library's 64-bit local time functions.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "platform/os.h"

namespace Orvane::Os {
namespace {

constexpr FileTime kMarch5th2024 = 133541226002500000;  // 2024-03-05 14:30:00.250
constexpr FileTime kUnixEpoch = 116444736000000000;     // 1970-01-01 00:00:00
constexpr std::int64_t kLastTime64 = 32535215999;       // 3000-12-31 23:59:59 UTC
constexpr FileTime kDay = 864'000'000'000;
constexpr FileTime kHour = 36'000'000'000;

bool operator==(const SystemTime& a, const SystemTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second && a.milliseconds == b.milliseconds;
}

TEST(CalendarTime, ConvertsFileTimesToFieldsAndBack) {
    struct Case {
        FileTime time;
        SystemTime fields;
    } cases[] = {
        {0, {1601, 1, 1, 0, 0, 0, 0}},
        {kUnixEpoch, {1970, 1, 1, 0, 0, 0, 0}},
        {kMarch5th2024, {2024, 3, 5, 14, 30, 0, 250}},
        {kMarch5th2024 - 5 * kDay, {2024, 2, 29, 14, 30, 0, 250}},
    };
    for (const auto& c : cases) {
        SystemTime fields;
        ASSERT_TRUE(FileTimeToSystemTime(c.time, &fields)) << c.time;
        EXPECT_TRUE(fields == c.fields) << c.time;
        FileTime time = 1;
        ASSERT_TRUE(SystemTimeToFileTime(c.fields, &time)) << c.time;
        EXPECT_EQ(time, c.time);
    }
    SystemTime fields;
    EXPECT_FALSE(FileTimeToSystemTime(0x8000000000000000, &fields));
}

void ExpectRefused(const SystemTime& fields, const char* what) {
    FileTime time = 0;
    EXPECT_FALSE(SystemTimeToFileTime(fields, &time)) << what;
}

TEST(CalendarTime, RefusesFieldsOutsideTheirRanges) {
    struct Case {
        const char* what;
        SystemTime fields;
    } cases[] = {
        {"year 1600", {1600, 12, 31, 0, 0, 0, 0}},
        {"month 0", {2023, 0, 1, 0, 0, 0, 0}},
        {"month 13", {2023, 13, 1, 0, 0, 0, 0}},
        {"day 0", {2023, 1, 0, 0, 0, 0, 0}},
        {"day 32", {2023, 1, 32, 0, 0, 0, 0}},
        {"April 31", {2023, 4, 31, 0, 0, 0, 0}},
        {"Feb 30, leap year", {2024, 2, 30, 0, 0, 0, 0}},
        {"hour 24", {2023, 1, 1, 24, 0, 0, 0}},
        {"minute 60", {2023, 1, 1, 0, 60, 0, 0}},
        {"second 60", {2023, 1, 1, 0, 0, 60, 0}},
        {"ms 1000", {2023, 1, 1, 0, 0, 0, 1000}},
        {"negative hour", {2023, 1, 1, -1, 0, 0, 0}},
    };
    for (const auto& c : cases) ExpectRefused(c.fields, c.what);
    FileTime time = 0;
    EXPECT_TRUE(SystemTimeToFileTime({30827, 12, 31, 23, 59, 59, 999}, &time));
}

#ifndef _WIN32
// Windows refuses these too; Wine accepts them, so they are checked on Linux only.
TEST(CalendarTime, RefusesFeb29OfCommonYearsAndYearsAfter30827) {
    ExpectRefused({2023, 2, 29, 0, 0, 0, 0}, "Feb 29, common year");
    ExpectRefused({1900, 2, 29, 0, 0, 0, 0}, "Feb 29, 1900");
    ExpectRefused({30828, 1, 1, 0, 0, 0, 0}, "year 30828");
}
#endif

std::tm LocalFields(int year, int month, int day, int hour) {
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_isdst = -1;
    return fields;
}

TEST(Time64, RepresentsOnly1970To3000) {
    std::tm before = LocalFields(1969, 12, 30, 12);
    EXPECT_EQ(MakeTime64(&before), -1);
    std::tm after = LocalFields(1970, 1, 2, 12);
    EXPECT_GT(MakeTime64(&after), 0);
    std::tm last;
    EXPECT_TRUE(LocalTime64(kLastTime64, &last));
    EXPECT_FALSE(LocalTime64(kLastTime64 + 1, &last));
    EXPECT_FALSE(LocalTime64(-1, &last));
}

TEST(LocalFileTime, ConvertsBackToTheSameInstant) {
    FileTime local = 0, utc = 0;
    ASSERT_TRUE(FileTimeToLocalFileTime(kMarch5th2024, &local));
    ASSERT_TRUE(LocalFileTimeToFileTime(local, &utc));
    EXPECT_EQ(utc, kMarch5th2024);
}

#ifndef _WIN32
// The process's time zone comes from TZ on Linux; these tests pick their own and put the old
// one back. (Windows takes its zone from the system, not from TZ.)
class TimeZone {
public:
    explicit TimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) old_ = old;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~TimeZone() {
        if (old_.empty())
            ::unsetenv("TZ");
        else
            ::setenv("TZ", old_.c_str(), 1);
        ::tzset();
    }

private:
    std::string old_;
};

TEST(LocalFileTime, UsesTheOffsetInForceAtThatInstant) {
    TimeZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
    const FileTime winter = 133497936000000000;  // 2024-01-15 12:00 UTC
    const FileTime summer = 133643088000000000;  // 2024-07-01 12:00 UTC
    FileTime local = 0, utc = 0;
    ASSERT_TRUE(FileTimeToLocalFileTime(winter, &local));
    EXPECT_EQ(local, winter + kHour);
    ASSERT_TRUE(FileTimeToLocalFileTime(summer, &local));
    EXPECT_EQ(local, summer + 2 * kHour);
    ASSERT_TRUE(LocalFileTimeToFileTime(summer + 2 * kHour + 1, &utc));
    EXPECT_EQ(utc, summer + 1);  // sub-second ticks are kept
}

TEST(LocalFileTime, FailsForLocalTimesBefore1601InUtc) {
    TimeZone zone("JST-9");
    FileTime utc = 0;
    EXPECT_FALSE(LocalFileTimeToFileTime(kHour, &utc));  // 1601-01-01 01:00 local: 1600 in UTC
    ASSERT_TRUE(LocalFileTimeToFileTime(9 * kHour, &utc));
    EXPECT_EQ(utc, 0u);
}

// The bounds are instants in UTC, whatever the local calendar says there.
TEST(Time64, BoundsAreInstantsInUtc) {
    TimeZone zone("JST-9");
    struct Case {
        std::tm local;
        std::int64_t time;
    } cases[] = {
        {LocalFields(1970, 1, 1, 8), -1},
        {LocalFields(1970, 1, 1, 9), 0},
        {LocalFields(3001, 1, 1, 8), kLastTime64 - 59 * 60 - 59},
        {LocalFields(3001, 1, 1, 9), -1},
    };
    for (auto& c : cases) EXPECT_EQ(MakeTime64(&c.local), c.time) << c.local.tm_year;
    std::tm last;
    ASSERT_TRUE(LocalTime64(kLastTime64, &last));
    EXPECT_EQ(last.tm_year, 3001 - 1900);
    EXPECT_EQ(MakeTime64(&last), kLastTime64);
}
#endif

}  // namespace
}  // namespace Orvane::Os
