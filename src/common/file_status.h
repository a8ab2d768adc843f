// The times, size and attributes of a file: read as the existence test, written back to stamp
// a file with its times.
#pragma once

#include <cstdint>
#include <string>

#include "common/ctime.h"

namespace Orvane::Common {

class FileStream;

// Attribute bits kept in FileStatus::attributes.
inline constexpr std::uint8_t kReadOnly = 0x01;
inline constexpr std::uint8_t kHidden = 0x02;
inline constexpr std::uint8_t kSystem = 0x04;
inline constexpr std::uint8_t kDirectory = 0x10;
inline constexpr std::uint8_t kArchive = 0x20;

struct FileStatus {
    Basic::CTime created;
    Basic::CTime lastAccess;
    Basic::CTime modified;
    std::uint64_t size = 0;
    std::uint8_t attributes = 0;
};

// True when a file or folder of that name exists; fills *status when given. A path of 260 bytes
// or more is false without looking at the disk. A file time that cannot be converted raises
// PlainFailure. A creation or access time of 0 (before 1900) is taken from the write time.
bool GetFileStatus(const std::string& path, FileStatus* status);

// Whether GetFileStatus can look at path at all: the path and its full form are shorter than
// 260 bytes. The platform's own calls count characters instead, so they may write a file at a
// path of double-byte characters that GetFileStatus never sees.
bool CanLookUpStatus(const std::string& path);

// Sets the non-zero times on an open file (a time of 0 stays as it is); false when the platform
// refuses them.
bool SetFileTimes(const FileStream& file, const Basic::CTime& created,
                  const Basic::CTime& lastAccess, const Basic::CTime& modified);

// Applies the attributes and the non-zero times of status to the file, as far as it can:
// a read-only attribute is lifted before the times are set and set after them. Never raises;
// the first failure ends it silently.
void SetFileStatus(const std::string& path, const FileStatus& status);

}  // namespace Orvane::Common
