#include "platform/posix/host_file.h"

#include <limits>

namespace Orvane::Os::Posix {
namespace {

constexpr std::int64_t kTicksPerSecond = 10'000'000;  // file times count 100 ns
constexpr std::int64_t kNanosecondsPerTick = 100;
constexpr std::int64_t kTicksFrom1601To1970 = 116'444'736'000'000'000;

}  // namespace

std::optional<struct stat> StatPath(const std::string& hostPath) {
    struct stat info;
    if (hostPath.empty() || ::stat(hostPath.c_str(), &info) != 0) return std::nullopt;
    return info;
}

std::optional<struct stat> StatEntry(const std::string& hostPath) {
    struct stat info;
    if (hostPath.empty() || ::lstat(hostPath.c_str(), &info) != 0) return std::nullopt;
    return info;
}

bool IsReadOnly(mode_t mode) { return !S_ISDIR(mode) && (mode & kAnyWrite) == 0; }

std::uint32_t AttributesOf(mode_t mode) {
    if (S_ISDIR(mode)) return kAttrDirectory;
    return kAttrArchive | (IsReadOnly(mode) ? kAttrReadOnly : 0);
}

FileTime FileTimeFrom(const timespec& time) {
    std::int64_t seconds = time.tv_sec;
    constexpr std::int64_t kLowest = -kTicksFrom1601To1970 / kTicksPerSecond;
    constexpr std::int64_t kHighest =
        (std::numeric_limits<std::int64_t>::max() - kTicksFrom1601To1970) / kTicksPerSecond - 1;
    if (seconds < kLowest) return 0;
    if (seconds > kHighest) seconds = kHighest;
    return static_cast<FileTime>(kTicksFrom1601To1970 + seconds * kTicksPerSecond +
                                 time.tv_nsec / kNanosecondsPerTick);
}

bool TimespecFrom(FileTime time, timespec* result) {
    if (time > static_cast<FileTime>(std::numeric_limits<std::int64_t>::max())) return false;
    std::int64_t ticks = static_cast<std::int64_t>(time) - kTicksFrom1601To1970;
    std::int64_t seconds = ticks / kTicksPerSecond;
    std::int64_t rest = ticks % kTicksPerSecond;
    if (rest < 0) {
        rest += kTicksPerSecond;
        --seconds;
    }
    result->tv_sec = static_cast<time_t>(seconds);
    result->tv_nsec = static_cast<long>(rest * kNanosecondsPerTick);
    return true;
}

}  // namespace Orvane::Os::Posix
