// A quick upper bound of the disk space a run needs, from the script alone: no archive is
// read, so it costs a fraction of a plan. No record grows the folder by more than the
// temporary file it writes, so the run's peak is at most the sum of those files: a copy's
// payload, an archive update's archive (as installed, or as an earlier record wrote it) with
// every payload it appends.
//
//   std::optional<std::uint64_t> bound = SpaceBound(inputs);
//   if (bound && free && *bound <= *free) ... the run fits; no plan is needed ...
#pragma once

#include <cstdint>
#include <optional>

#include "app/run_patch.h"

namespace Orvane {

// Nothing when the script cannot be read to its end (the plan then tells what the run meets).
std::optional<std::uint64_t> SpaceBound(const RunInputs& inputs);

}  // namespace Orvane
