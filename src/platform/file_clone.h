// A copy of a file that shares its blocks with the original where the file system can (a
// reflink clone on Linux: no data written, no space taken until either is changed), and is an
// ordinary copy of the bytes elsewhere. The copy keeps the original's permissions (on Windows
// its attributes) and times. Paths are the host's own (std::filesystem).
#pragma once

#include <filesystem>

namespace Orvane::Os {

// Makes hostTo (which must not exist) as a copy of hostFrom; false on any failure, and then
// nothing is left at hostTo.
bool CloneFile(const std::filesystem::path& hostFrom, const std::filesystem::path& hostTo);

// Makes hostTo (which must not exist) as an empty file with hostFrom's permissions and times:
// what stands in for a file whose bytes nobody reads (one that is only deleted). False on any
// failure, and then nothing is left at hostTo.
bool MakeEmptyStandIn(const std::filesystem::path& hostFrom,
                      const std::filesystem::path& hostTo);

}  // namespace Orvane::Os
