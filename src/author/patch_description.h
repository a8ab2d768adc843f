// The patch container of a plan, with every payload's bytes read from where the plan found
// them. Raises MessageFailure (kReleaseChanged, or host_files.h's texts) when a release cannot
// be read or no longer holds the bytes it held when it was compared, and kInterrupted.
#pragma once

#include <string>

#include "author/interruption.h"
#include "author/patch_plan.h"
#include "patch/container_description.h"

namespace Orvane::Author {

inline constexpr char kReleaseChanged[] = "a release changed while it was being compared";

// title and registryKey are code page 932.
ContainerDescription DescribePatch(const PatchPlan& plan, const std::string& title,
                                   const std::string& registryKey, const StopPoll& stop = {});

}  // namespace Orvane::Author
