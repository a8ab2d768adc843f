// Brings one archive of the new release about from the old releases' copies with one archive
// update record, entry by entry, or says why it must be shipped whole.
//
// An update keeps the surviving entries of an old copy in their order and appends its
// additions, so the new archive must be K ++ A: K, a start of its entries, must come out of
// every rebuilt copy by removals, and A must be appendable from payloads. The diff tries the
// longest K first (the fewest payload bytes) and checks every candidate by working out the
// update on each rebuilt copy; the first that reproduces the new archive exactly wins.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "author/archive_image.h"
#include "patch/container_description.h"

namespace Orvane::Author {

inline constexpr char kTrailingBytes[] = "bytes follow its end marker";
inline constexpr char kHeaderNotRewritten[] = "a rebuild does not write its header as it stands";
inline constexpr char kEntryNotAddable[] = "no payload can add entry";
inline constexpr char kNoRemovalsFit[] =
    "no removals turn every old copy into it (the entries they keep differ)";

struct ArchiveUpdatePlan {
    std::uint16_t revision = 0;  // the target revision
    std::vector<ArchiveRemoval> removals;
    std::vector<std::size_t> additions;  // indexes of the new archive's entries, in order
    // How many of the additions every rebuilt copy holds as they stand, and their data bytes:
    // added again only to reach the new archive's entry order.
    std::size_t reordered = 0;
    std::uint64_t reorderedBytes = 0;
};

struct ArchiveDiff {
    std::optional<ArchiveUpdatePlan> update;  // nothing: ship the archive whole
    std::string wholeReason;                  // code page 932, when shipped whole
};

// rebuilt: every copy that the update will rebuild, each with newer's layout and tag and a
// revision below target (for "LINK3", which every update rebuilds, newer itself among them).
ArchiveDiff DiffArchive(const ArchiveImage& newer, const std::vector<const ArchiveImage*>& rebuilt,
                        std::uint16_t target);

}  // namespace Orvane::Author
