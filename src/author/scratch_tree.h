// The part of an old release that a patch's run can see: every file and folder along the paths
// its records open (record_paths.h), put into a scratch folder with their names, times and
// permissions. A file whose bytes the run may read is the release's own file, hard-linked,
// where both lie on one file system: a run never writes into a file it finds (it writes beside
// it and renames over it), so the link takes no space and the release's file keeps its bytes.
// Elsewhere it is a reflink clone where the file system has them, else a copy. Nothing else of
// the release is put there, and the release itself is only read.
#pragma once

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "author/patch_plan.h"
#include "author/release_tree.h"

namespace Orvane::Author {

inline constexpr char kOldFileChanged[] = "a file of an old release changed while it was checked";

// An old release's file as it was linked into a scratch tree.
struct LinkedFile {
    std::filesystem::path host;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified;
};

struct ScratchTree {
    std::set<std::u16string> keys;  // of everything put into the tree
    std::vector<LinkedFile> linked;
};

// Puts into folder (existing and empty) what the run opens. Raises MessageFailure
// (kCannotCopy) naming what could not be put there.
ScratchTree CopyWhatTheRunOpens(const Release& old, const PatchPlan& plan,
                                const std::filesystem::path& folder);

// Refuses (kOldFileChanged) a linked file whose size or last-write time is no longer what it
// was: whatever changed it, the old release is not what was checked.
void RequireLinkedUnchanged(const ScratchTree& tree);

}  // namespace Orvane::Author
