// The container's limits, found from the plan before any payload byte is read: at most 65,535
// payloads, and everything, the stub image before it included, within 4 GiB. A refusal names
// the totals and the records that contribute most (a folder of copies, an archive), so that
// the author knows what to split into another patch.
#pragma once

#include <cstdint>

#include "author/patch_plan.h"
#include "patch/container_description.h"

namespace Orvane::Author {

// start is where the container begins (the stub image's size). Raises MessageFailure with the
// container writer's texts (container_writer.h, container_encoding.h) and the details.
void RequireContainerRoom(const ContainerDescription& description, const PatchPlan& plan,
                          std::uint64_t start);

}  // namespace Orvane::Author
