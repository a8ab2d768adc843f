#include "common/ctime.h"

#include <gtest/gtest.h>

#include "common/failure.h"

namespace Orvane::Basic {
namespace {

struct Fields {
    int year, month, day, hour, minute, second;
};

Fields FieldsOf(const CTime& time) {
    return {time.GetYear(), time.GetMonth(), time.GetDay(),
            time.GetHour(), time.GetMinute(), time.GetSecond()};
}

void ExpectFields(const CTime& time, const Fields& expected) {
    Fields got = FieldsOf(time);
    EXPECT_EQ(got.year, expected.year);
    EXPECT_EQ(got.month, expected.month);
    EXPECT_EQ(got.day, expected.day);
    EXPECT_EQ(got.hour, expected.hour);
    EXPECT_EQ(got.minute, expected.minute);
    EXPECT_EQ(got.second, expected.second);
}

TEST(CTime, CalendarFieldsComeBackAsGiven) {
    ExpectFields(CTime(2024, 3, 5, 14, 30, 0, -1), {2024, 3, 5, 14, 30, 0});
    ExpectFields(CTime(1999, 12, 31, 23, 59, 59, -1), {1999, 12, 31, 23, 59, 59});
    ExpectFields(CTime(2999, 6, 1, 0, 0, 0, -1), {2999, 6, 1, 0, 0, 0});
}

TEST(CTime, DayPastTheEndOfTheMonthCarriesOver) {
    ExpectFields(CTime(2024, 4, 31, 10, 0, 0, -1), {2024, 5, 1, 10, 0, 0});
    ExpectFields(CTime(2023, 2, 29, 10, 0, 0, -1), {2023, 3, 1, 10, 0, 0});
}

TEST(CTime, OutOfRangeOrUnrepresentableFieldsAreRefused) {
    const Fields refused[] = {
        {1899, 12, 31, 0, 0, 0},   // before 1900
        {2024, 0, 1, 0, 0, 0},     // month 0
        {2024, 13, 1, 0, 0, 0},    // month 13
        {2024, 1, 0, 0, 0, 0},     // day 0
        {2024, 1, 32, 0, 0, 0},    // day 32
        {2024, 1, 1, 24, 0, 0},    // hour 24
        {2024, 1, 1, -1, 0, 0},    // negative hour
        {2024, 1, 1, 0, 60, 0},    // minute 60
        {2024, 1, 1, 0, 0, 60},    // second 60
        {1969, 12, 30, 12, 0, 0},  // before 1970 UTC: not representable
        {3001, 6, 1, 0, 0, 0},     // after 3000
    };
    for (const Fields& f : refused) {
        SCOPED_TRACE(testing::Message() << f.year << "-" << f.month << "-" << f.day << " "
                                        << f.hour << ":" << f.minute << ":" << f.second);
        EXPECT_THROW(CTime(f.year, f.month, f.day, f.hour, f.minute, f.second, -1), PlainFailure);
    }
}

TEST(CTime, OrdersBySeconds) {
    CTime earlier(2024, 3, 5, 14, 30, 0, -1);
    CTime later(2024, 3, 5, 14, 30, 1, -1);
    EXPECT_EQ(later.GetTime() - earlier.GetTime(), 1);
    EXPECT_LT(earlier, later);
    EXPECT_EQ(CTime().GetTime(), 0);
}

TEST(CTime, FileTimeRoundTripKeepsTheLocalFields) {
    CTime time(2024, 3, 5, 14, 30, 0, -1);
    Os::FileTime fileTime = 0;
    ToFileTime(time, &fileTime);
    Os::FileTime local = 0;
    Os::SystemTime fields;
    ASSERT_TRUE(Os::FileTimeToLocalFileTime(fileTime, &local));
    ASSERT_TRUE(Os::FileTimeToSystemTime(local, &fields));
    EXPECT_EQ(fields.year, 2024);
    EXPECT_EQ(fields.month, 3);
    EXPECT_EQ(fields.day, 5);
    EXPECT_EQ(fields.hour, 14);
    EXPECT_EQ(fields.minute, 30);
    EXPECT_EQ(fields.second, 0);
    EXPECT_EQ(fields.milliseconds, 0);
    EXPECT_EQ(CTime(fileTime, -1), time);
}

TEST(CTime, FileTimeDropsMillisecondsAndIgnoresYearsBefore1900) {
    CTime time(2024, 3, 5, 14, 30, 0, -1);
    Os::FileTime fileTime = 0;
    ToFileTime(time, &fileTime);
    EXPECT_EQ(CTime(fileTime + 9'990'000, -1), time);  // + 999 ms
    EXPECT_EQ(CTime(Os::FileTime{0}, -1).GetTime(), 0);  // 1601
}

TEST(CTime, ToFileTimeWithoutDestinationRaisesItsText) {
    try {
        ToFileTime(CTime(2024, 3, 5, 14, 30, 0, -1), nullptr);
        FAIL() << "no failure";
    } catch (const MessageFailure& failure) {
        EXPECT_EQ(failure.Text(), "格納するスペースが指定されていません！！");
    }
}

}  // namespace
}  // namespace Orvane::Basic
