// Files of the new release that a copy record brings into the old releases, and files that
// only old releases have, which delete records remove.
#pragma once

#include "author/diff_context.h"

namespace Orvane::Author {

inline constexpr char kCopyWouldSkip[] =
    "the new file is not newer than the old one, so the copy would leave the old one";
inline constexpr char kTimeNotStorable[] = "a time that a payload cannot store";
inline constexpr char kFileTooLarge[] = "larger than the 4 GiB - 1 bytes a payload can hold";

// One copy record with the file as its payload (its name, its last-write time as both of the
// payload's times). The copy command leaves an installed file that is as new as the payload or
// newer, so every old release whose copy of the file differs must hold an older one; where one
// does not, the diff refuses (or, with allowSkip, notes the skip).
void PlanCopy(DiffContext& context, const ReleaseItem& file);

// One delete record for each file that some old release has and the new one does not.
void PlanDeletes(DiffContext& context);

}  // namespace Orvane::Author
