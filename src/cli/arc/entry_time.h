// Times between archive entries and files on this system. An entry stores local calendar
// fields; a file has a last-write time in seconds since 1970 (UTC). Local time is the process's
// time zone (TZ honoured), as for payload times.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "link/arc_entry.h"

namespace Orvane::Cli {

// The entry's fields as a point in time; nothing when they name none (month 13, a year before
// 1970, ...).
std::optional<std::int64_t> EntrySeconds(const ArcEntry& entry);
// Sets the entry's fields to the local calendar fields of seconds; false when out of range.
bool SetEntryTime(ArcEntry& entry, std::int64_t seconds);

std::optional<std::int64_t> FileModifiedSeconds(const std::filesystem::path& path);
bool SetFileModifiedSeconds(const std::filesystem::path& path, std::int64_t seconds);

}  // namespace Orvane::Cli
