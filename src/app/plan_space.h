// The disk space a planned run needs, and what the disk of the installation folder has free.
//
//   RunPlan plan = PlanRun(inputs);
//   PlanSpace space = MeasurePlanSpace(plan, inputs.folder);
//   if (!space.Fits()) ... warn: the run may fill the disk ...
//
// The whole installation folder is taken to lie on one file system: the free space is asked
// of the folder itself (of the nearest folder above it while it does not exist yet), and every
// temporary file and every file it replaces or deletes are counted against it. A folder that
// mounts another file system deeper inside is not seen.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/run_plan.h"

namespace Orvane {

struct PlanSpace {
    // The most that the folder holds beyond what it holds now at any moment of the run.
    std::uint64_t needed = 0;
    // What the disk has free for the user; nothing when the system cannot tell.
    std::optional<std::uint64_t> free;

    // False only when the free space is known and smaller than the need.
    bool Fits() const { return !free || needed <= *free; }
};

// The free space of the folder, or of the nearest folder above it that exists: the run makes
// the folders it is missing on that file system. Nothing when the system cannot tell.
std::optional<std::uint64_t> FreeSpaceFor(const std::string& folder);

// The records the run would carry out, in order, up to the first that fails. Never raises.
PlanSpace MeasurePlanSpace(const RunPlan& plan, const std::string& installFolder);

// Whether the plan goes as far as the run would: it completes, or one of its records fails. A
// plan that the container or the script stopped knows too little to judge the space.
bool CoversRun(const RunPlan& plan);

}  // namespace Orvane
