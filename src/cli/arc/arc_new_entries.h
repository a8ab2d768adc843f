// The entries of an archive that `orvpatch arc create` makes: one per file, named after the
// file's path below the source folder ('\' between folders), with the file's last-write time
// as local calendar fields, and written with the core's archive records.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "link/arc_entry.h"
#include "link/arc_header.h"

namespace Orvane::Cli {

struct NewEntry {
    ArcEntry header;
    std::filesystem::path source;
};

// operands are UTF-8 paths below folder ('/' or '\' between folders) of files, and of folders
// that stand for every file below them (sorted by path); "." is the whole folder. Raises
// CommandFailure, naming the file, for what the layout cannot hold: a name that leads out of
// the folder, that code page 932 cannot write (narrow layouts), or that is too long; a file
// that is missing, not a file, too large for an entry, or whose time cannot be stored; and
// when there is no file at all.
std::vector<NewEntry> DescribeNewEntries(const ArcHeader& header, std::uint16_t kind,
                                         const std::filesystem::path& folder,
                                         const std::vector<std::string>& operands);

// Writes the archive to a temporary file beside utf8Path, then puts it in place. Raises
// CommandFailure when it cannot; no partial archive is left.
void WriteNewArchive(const std::string& utf8Path, const ArcHeader& header,
                     const std::vector<NewEntry>& entries);

}  // namespace Orvane::Cli
