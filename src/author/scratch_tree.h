// The part of an old release that a patch's run can see: every file and folder along the paths
// its records open (record_paths.h), copied into a scratch folder with their names, times and
// permissions, the files as reflink clones where the file system has them. Nothing else of
// the release is copied, and the release itself is only read.
#pragma once

#include <filesystem>
#include <set>
#include <string>

#include "author/patch_plan.h"
#include "author/release_tree.h"

namespace Orvane::Author {

// Copies into folder (existing and empty) and returns the keys of what it copied. Raises
// MessageFailure (kCannotCopy) naming what could not be copied.
std::set<std::u16string> CopyWhatTheRunOpens(const Release& old, const PatchPlan& plan,
                                             const std::filesystem::path& folder);

}  // namespace Orvane::Author
