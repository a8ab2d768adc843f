// A point in time in whole seconds since 1970-01-01 00:00:00 UTC; 0 stands for no time.
// Representable: 1970-01-01 00:00:00 UTC to 3000-12-31 23:59:59 UTC. Calendar fields are local
// time, with daylight saving decided by the system.
#pragma once

#include <cstdint>
#include <ctime>

#include "platform/os.h"

namespace Orvane::Basic {

inline constexpr char kNoSpaceForFileTime[] = "格納するスペースが指定されていません！！";
inline constexpr char kToFileTimeFailed[] = "ファイル時刻への変換に失敗！！";
inline constexpr char kLocalTimeConversionFailed[] = "ローカル時刻の変換に失敗！！";

class CTime {
public:
    CTime() = default;
    // Raises PlainFailure when a field is out of range or the time is not representable.
    // A day past the end of its month carries into the next month (April 31 is May 1).
    CTime(int year, int month, int day, int hour, int minute, int second, int dst = -1);
    // From a platform file time (UTC). Raises PlainFailure when the platform conversions fail;
    // a year before 1900 gives the value 0 without failure. Milliseconds are dropped.
    CTime(Os::FileTime fileTime, int dst);

    std::int64_t GetTime() const { return time_; }

    // Local calendar fields; when the time cannot be converted, year, month and day are 0 and
    // hour, minute and second are -1.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;

    friend bool operator==(const CTime&, const CTime&) = default;
    friend auto operator<=>(const CTime&, const CTime&) = default;

private:
    int Field(int std::tm::*member, int offset, int failure) const;

    std::int64_t time_ = 0;
};

// Writes the platform file time (UTC) of time into *fileTime. Raises a MessageFailure with
// kNoSpaceForFileTime, kToFileTimeFailed or kLocalTimeConversionFailed.
void ToFileTime(const CTime& time, Os::FileTime* fileTime);

}  // namespace Orvane::Basic
