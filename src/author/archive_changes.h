// A LINK archive of the new release that some old release lacks or holds otherwise: brought
// about entry by entry with one archive update record where that reproduces it byte for byte
// in every old release, and shipped whole as a copy record otherwise.
#pragma once

#include "author/diff_context.h"

namespace Orvane::Author {

inline constexpr char kRevisionNotAbove[] =
    "the new archive's revision is not above the old copy's, so the update would leave it";
inline constexpr char kNotComplete[] = "it is not a complete archive";
inline constexpr char kOldLacks[] = "an old release does not have it";
inline constexpr char kOldNotComplete[] = "an old copy is not a complete archive";
inline constexpr char kLayoutDiffers[] = "its layout differs from an old copy's";
inline constexpr char kTagDiffers[] = "its tag differs from an old copy's";
inline constexpr char kRecordTooLong[] = "its update would not fit in the 65535 bytes of a record";

// file starts with a LINK magic and differs in at least one old release.
void PlanArchive(DiffContext& context, const ReleaseItem& file);

}  // namespace Orvane::Author
