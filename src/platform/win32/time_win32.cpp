// Time conversions on Windows: file times through kernel32, calendar seconds through the C
// library's 64-bit mktime and localtime (time_t is 32 bits wide on this target).
#include <limits>
#include <time.h>

#include "platform/os.h"
#include "platform/win32/file_time_win32.h"
#include "platform/win32/win32_api.h"

namespace Orvane::Os {
namespace {

// 3000-12-31 23:59:59 UTC, the last second the C library's 64-bit functions represent.
constexpr std::int64_t kLastRepresentableSecond = 32535215999;
constexpr std::int64_t kNotRepresentable = -1;

bool Representable(std::int64_t time) { return time >= 0 && time <= kLastRepresentableSecond; }

// SYSTEMTIME holds 16-bit fields; a value that does not fit must fail, not wrap into range.
bool FitsWord(int value) { return value >= 0 && value <= std::numeric_limits<WORD>::max(); }

bool ToSystemtime(const SystemTime& fields, SYSTEMTIME* out) {
    const int values[] = {fields.year,   fields.month,  fields.day,         fields.hour,
                          fields.minute, fields.second, fields.milliseconds};
    for (int value : values) {
        if (!FitsWord(value)) return false;
    }
    *out = SYSTEMTIME{};
    out->wYear = static_cast<WORD>(fields.year);
    out->wMonth = static_cast<WORD>(fields.month);
    out->wDay = static_cast<WORD>(fields.day);
    out->wHour = static_cast<WORD>(fields.hour);
    out->wMinute = static_cast<WORD>(fields.minute);
    out->wSecond = static_cast<WORD>(fields.second);
    out->wMilliseconds = static_cast<WORD>(fields.milliseconds);
    return true;
}

SystemTime FromSystemtime(const SYSTEMTIME& in) {
    return SystemTime{in.wYear, in.wMonth,  in.wDay,         in.wHour,
                      in.wMinute, in.wSecond, in.wMilliseconds};
}

}  // namespace

bool FileTimeToLocalFileTime(FileTime utc, FileTime* local) {
    FILETIME in = Win32::ToFiletime(utc);
    FILETIME out;
    if (!::FileTimeToLocalFileTime(&in, &out)) return false;
    *local = Win32::FromFiletime(out);
    return true;
}

bool LocalFileTimeToFileTime(FileTime local, FileTime* utc) {
    FILETIME in = Win32::ToFiletime(local);
    FILETIME out;
    if (!::LocalFileTimeToFileTime(&in, &out)) return false;
    *utc = Win32::FromFiletime(out);
    return true;
}

bool FileTimeToSystemTime(FileTime time, SystemTime* fields) {
    FILETIME in = Win32::ToFiletime(time);
    SYSTEMTIME out;
    if (!::FileTimeToSystemTime(&in, &out)) return false;
    *fields = FromSystemtime(out);
    return true;
}

bool SystemTimeToFileTime(const SystemTime& fields, FileTime* time) {
    SYSTEMTIME in;
    FILETIME out;
    if (!ToSystemtime(fields, &in) || !::SystemTimeToFileTime(&in, &out)) return false;
    *time = Win32::FromFiletime(out);
    return true;
}

std::int64_t MakeTime64(std::tm* fields) {
    __time64_t time = ::_mktime64(fields);
    return Representable(time) ? time : kNotRepresentable;
}

bool LocalTime64(std::int64_t time, std::tm* fields) {
    // Windows' C library refuses values outside this range; Wine's converts them.
    if (!Representable(time)) return false;
    __time64_t value = time;
    const std::tm* local = ::_localtime64(&value);
    if (local == nullptr) return false;
    *fields = *local;
    return true;
}

}  // namespace Orvane::Os
