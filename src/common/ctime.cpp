#include "common/ctime.h"

#include "common/failure.h"

namespace Orvane::Basic {
namespace {

bool FieldsInRange(int year, int month, int day, int hour, int minute, int second) {
    return year >= 1900 && month >= 1 && month <= 12 && day >= 1 && day <= 31 && hour >= 0 &&
           hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

}  // namespace

CTime::CTime(int year, int month, int day, int hour, int minute, int second, int dst) {
    if (!FieldsInRange(year, month, day, hour, minute, second)) throw PlainFailure();
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = dst;
    std::int64_t time = Os::MakeTime64(&fields);
    if (time == -1) throw PlainFailure();
    time_ = time;
}

CTime::CTime(Os::FileTime fileTime, int dst) {
    Os::FileTime local = 0;
    Os::SystemTime fields;
    if (!Os::FileTimeToLocalFileTime(fileTime, &local) ||
        !Os::FileTimeToSystemTime(local, &fields)) {
        throw PlainFailure();
    }
    if (fields.year < 1900) return;
    *this = CTime(fields.year, fields.month, fields.day, fields.hour, fields.minute,
                  fields.second, dst);
}

int CTime::Field(int std::tm::*member, int offset, int failure) const {
    std::tm fields{};
    if (!Os::LocalTime64(time_, &fields)) return failure;
    return fields.*member + offset;
}

int CTime::GetYear() const { return Field(&std::tm::tm_year, 1900, 0); }
int CTime::GetMonth() const { return Field(&std::tm::tm_mon, 1, 0); }
int CTime::GetDay() const { return Field(&std::tm::tm_mday, 0, 0); }
int CTime::GetHour() const { return Field(&std::tm::tm_hour, 0, -1); }
int CTime::GetMinute() const { return Field(&std::tm::tm_min, 0, -1); }
int CTime::GetSecond() const { return Field(&std::tm::tm_sec, 0, -1); }

void ToFileTime(const CTime& time, Os::FileTime* fileTime) {
    if (fileTime == nullptr) throw MessageFailure(kNoSpaceForFileTime);
    Os::SystemTime fields;
    fields.year = time.GetYear();
    fields.month = time.GetMonth();
    fields.day = time.GetDay();
    fields.hour = time.GetHour();
    fields.minute = time.GetMinute();
    fields.second = time.GetSecond();
    fields.milliseconds = 0;
    Os::FileTime local = 0;
    if (!Os::SystemTimeToFileTime(fields, &local)) throw MessageFailure(kToFileTimeFailed);
    if (!Os::LocalFileTimeToFileTime(local, fileTime)) {
        throw MessageFailure(kLocalTimeConversionFailed);
    }
}

}  // namespace Orvane::Basic
