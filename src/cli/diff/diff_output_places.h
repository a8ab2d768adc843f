// Where `orvpatch diff` may put what it writes: nothing inside a release, or the next diff
// would ship this one's patch inside its own and the check would find a file that NEW lacks;
// and no release inside the payload folder, which a successful diff replaces with everything
// in it. Paths compare as the file system resolves them (links followed, "." and ".." gone).
#pragma once

#include "cli/diff/diff_arguments.h"

namespace Orvane::Cli {

inline constexpr char kInsideRelease[] = " lies inside the release ";
inline constexpr char kHoldsRelease[] = " holds the release ";

// Raises UsageError naming the option, its path and the release. Nothing is read or written.
void RequireOutputsOutsideReleases(const DiffArguments& arguments);

}  // namespace Orvane::Cli
