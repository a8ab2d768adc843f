// What `orvpatch diff` tells its user about the patch it made: records by kind, payloads and
// their bytes, each archive diffed by entry or shipped whole (and why), notes, and whether the
// patch was checked.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "author/patch_plan.h"
#include "author/release_tree.h"
#include "patch/container_description.h"

namespace Orvane::Cli {

struct DiffSummary {
    const Author::PatchPlan& plan;
    const ContainerDescription& description;
    std::size_t oldReleases = 0;
    bool verified = false;
    std::string patch;                    // UTF-8, as given
    std::optional<std::string> manifest;  // UTF-8, as given
};

// On stdout.
void PrintSummary(const DiffSummary& summary);

// On stderr, each on a line of its own: warnings in code page 932.
void PrintWarnings(const std::vector<std::string>& warnings);

// On stderr: every copy that the freshness rule leaves undone in an old release.
void PrintSkippedCopies(const Author::PatchPlan& plan, const std::vector<Author::Release>& olds);

}  // namespace Orvane::Cli
