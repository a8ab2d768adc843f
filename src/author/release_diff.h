// The patch that turns each old release into the new one, worked out from the releases.
//
//   std::vector<Release> olds = ...;  Release newer = Release::Scan(...);
//   PatchPlan plan = DiffReleases(olds, newer, options);
//
// Files that differ or that an old release lacks become copy records, files that only old
// releases have become delete records, and LINK archives become archive update records where
// an update reproduces them exactly (archive_changes.h). Files with the same bytes cost nothing,
// whatever their times. Paths compare without regard to case.
//
// Raises a Refusal (refusal.h) naming every file or entry that no record can express (see the
// texts of file_changes.h, folder_changes.h, archive_changes.h); nothing is planned then.
#pragma once

#include <vector>

#include "author/diff_context.h"
#include "author/patch_plan.h"

namespace Orvane::Author {

PatchPlan DiffReleases(const std::vector<Release>& olds, const Release& newer,
                       const DiffOptions& options);

}  // namespace Orvane::Author
