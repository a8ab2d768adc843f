// The disk space of a planned run in words, for `apply --dry-run` and the warning `apply`
// prints before a run that may not fit:
//
//   space: 1048576 bytes needed, 524288 bytes free
//   warning: the run needs 1048576 bytes of disk space, but only 524288 bytes are free
#pragma once

#include <optional>
#include <string>

#include "app/plan_space.h"

namespace Orvane::Cli {

// The need and the free space ("free space unknown" when the disk could not be asked).
std::string SpaceLine(const PlanSpace& space);
// Meant for a space that does not fit.
std::string SpaceWarning(const PlanSpace& space);

// What `apply` says before a run that may not fit: the warning and that the run goes ahead;
// nothing when it fits, or when the plan stopped short of the run (CoversRun).
std::optional<std::string> RunSpaceWarning(const RunPlan& plan, const PlanSpace& space);

}  // namespace Orvane::Cli
