#include "cli/arc/entry_time.h"

#include <chrono>
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

// Whole seconds, rounded down as the system's own seconds are (a time before 1970 included).
std::optional<std::int64_t> FileModifiedSeconds(const std::filesystem::path& path) {
    std::error_code error;
    std::filesystem::file_time_type time = std::filesystem::last_write_time(path, error);
    if (error) return std::nullopt;
    auto system = std::chrono::file_clock::to_sys(time);
    return std::chrono::floor<std::chrono::seconds>(system).time_since_epoch().count();
}

// Only the last-write time changes; the last access stays as it is.
bool SetFileModifiedSeconds(const std::filesystem::path& path, std::int64_t seconds) {
    std::chrono::sys_seconds system{std::chrono::seconds(seconds)};
    std::error_code error;
    std::filesystem::last_write_time(path, std::chrono::file_clock::from_sys(system), error);
    return !error;
}

}  // namespace Orvane::Cli
