// What the platform calls share about files on the disk: Windows attributes from a file mode,
// file times from POSIX times and back.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/os.h"

namespace Orvane::Os::Posix {

inline constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;
inline constexpr mode_t kNewFileMode = 0666;    // narrowed by the umask
inline constexpr mode_t kNewFolderMode = 0777;  // narrowed by the umask

// The entry a host path names, following symbolic links (stat), or nothing.
std::optional<struct stat> StatPath(const std::string& hostPath);
// The entry itself, a symbolic link not followed (lstat), or nothing.
std::optional<struct stat> StatEntry(const std::string& hostPath);

// Windows' read-only attribute: a file with no write bit at all (as `chmod a-w` leaves it).
// Root could write it anyway, so every call that Windows would refuse checks this itself.
bool IsReadOnly(mode_t mode);

// 0x10 for a folder; 0x20 (archive, as a fresh Windows file has) for anything else, with 0x01
// when read-only.
std::uint32_t AttributesOf(mode_t mode);

// A POSIX time as a file time; times before 1601 give 0.
FileTime FileTimeFrom(const timespec& time);
// A file time as a POSIX time; fails above the largest file time (2^63 - 1).
bool TimespecFrom(FileTime time, timespec* result);

}  // namespace Orvane::Os::Posix
