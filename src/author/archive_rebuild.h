// What the archive update command makes of an archive, worked out on entry descriptions
// instead of files: the same rule for which entries a list of removal records removes.
#pragma once

#include <optional>
#include <vector>

#include "author/archive_image.h"
#include "patch/container_description.h"

namespace Orvane::Author {

// The entries an update with these removal records keeps of the archive, as it writes them:
// each entry is removed by the first record not used yet whose name equals the entry's and
// whose revision is at or above the archive's, and kept otherwise. A record's name is taken as
// the program reads it back from the container. Nothing when the update would fail on a kept
// entry.
std::optional<std::vector<EntryBytes>> KeptEntries(const ArchiveImage& archive,
                                                   const std::vector<ArchiveRemoval>& removals);

}  // namespace Orvane::Author
