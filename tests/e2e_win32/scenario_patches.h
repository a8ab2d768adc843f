// The patches and installation folders of the end-to-end tests of patch.exe, one scenario each.
//
//   success       copies (one with a Japanese name), a delete and an archive update that
//                 complete; the folder afterwards equals what `orvpatch apply` makes of it
//   failure       a copy that completes, then an archive update of a missing archive
//   cancel        a long run (thousands of copy/delete pairs of a large payload) to cancel
//   silent        a shorter run of such pairs, long enough to see its progress dialog
//   trail-byte    a delete and a copy in a folder whose name ends in 表 (95 5C)
#pragma once

#include <optional>
#include <string>

#include "patch/container_description.h"

namespace Orvane::E2e {

struct Scenario {
    const char* name;
    ContainerDescription (*patch)();
    // Writes the folder's files before the run (code page 932 path with a trailing '\').
    void (*seedFolder)(const std::string& folder);
};

std::optional<Scenario> FindScenario(const std::string& name);

}  // namespace Orvane::E2e
