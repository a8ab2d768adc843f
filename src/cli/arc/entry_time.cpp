#include "cli/arc/entry_time.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>

#include "common/ctime.h"
#include "common/failure.h"
#include "platform/os.h"

namespace Orvane::Cli {

std::optional<std::int64_t> EntrySeconds(const ArcEntry& entry) {
    try {
        return Basic::CTime(entry.year, entry.month, entry.day, entry.hour, entry.minute,
                            entry.second)
            .GetTime();
    } catch (const PlainFailure&) {  // CTime refuses fields that name no time it can hold
        return std::nullopt;
    }
}

bool SetEntryTime(ArcEntry& entry, std::int64_t seconds) {
    std::tm fields{};
    if (!Os::LocalTime64(seconds, &fields)) return false;
    entry.year = static_cast<std::uint16_t>(fields.tm_year + 1900);
    entry.month = static_cast<std::uint8_t>(fields.tm_mon + 1);
    entry.day = static_cast<std::uint8_t>(fields.tm_mday);
    entry.hour = static_cast<std::uint8_t>(fields.tm_hour);
    entry.minute = static_cast<std::uint8_t>(fields.tm_min);
    entry.second = static_cast<std::uint8_t>(fields.tm_sec);
    return true;
}

std::optional<std::int64_t> FileModifiedSeconds(const std::filesystem::path& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return static_cast<std::int64_t>(info.st_mtim.tv_sec);
}

bool SetFileModifiedSeconds(const std::filesystem::path& path, std::int64_t seconds) {
    const timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(seconds), 0}};
    return ::utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

}  // namespace Orvane::Cli
