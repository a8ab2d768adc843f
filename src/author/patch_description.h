// The patch container of a plan: its header, records and the payloads' names, kinds and
// times. The payloads' bytes stay in the releases (release_payloads.h feeds them to a writer).
#pragma once

#include <string>

#include "author/patch_plan.h"
#include "patch/container_description.h"

namespace Orvane::Author {

// title and registryKey are code page 932.
ContainerDescription DescribePatch(const PatchPlan& plan, const std::string& title,
                                   const std::string& registryKey);

}  // namespace Orvane::Author
