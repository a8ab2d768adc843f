// What `orvpatch diff` needs of the host for its temporaries, one file per platform: making a
// new file or folder exclusively with the mark of our temporaries, telling a leftover of a
// killed diff by that mark, and swapping a finished folder into place.
//
// On Linux the mark is an extended attribute naming the process (platform/posix/temp_mark.h).
// Windows offers no mark that every file system keeps: there nothing is marked, so nothing is
// ever taken for a leftover and swept.
#pragma once

#include <filesystem>

namespace Orvane::Cli {

enum class Creation { Made, NameTaken, Failed };

// Makes path, which must not exist, as an empty file or folder with the mark.
Creation MakeMarkedFile(const std::filesystem::path& path);
Creation MakeMarkedFolder(const std::filesystem::path& path);

// Whether path carries the mark of a process that no longer runs.
bool IsLeftoverEntry(const std::filesystem::path& path);

// Takes the mark off; nothing when there is none.
void DropMark(const std::filesystem::path& path);

// Exchanges the two existing folders; false when they could not be. On Linux one atomic step;
// on Windows three renames through a name beside `from`.
bool ExchangeFolders(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace Orvane::Cli
