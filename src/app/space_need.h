// The disk space a run needs at its fullest moment, from what each of its steps writes and
// frees, in order.
//
// A step that rewrites a file writes the new bytes to a temporary file first and swaps it in
// only when it is complete, so while it writes, the old file and the new one are both on the
// disk. Afterwards the folder has grown by what the step added and shrunk by what it freed.
//
//   std::vector<SpaceStep> steps = {{archiveNew, archiveNew, archiveOld}, {0, 0, deletedSize}};
//   std::uint64_t peak = PeakSpaceNeed(steps);  // bytes beyond what the folder holds now
#pragma once

#include <cstdint>
#include <vector>

namespace Orvane {

struct SpaceStep {
    std::uint64_t temporary = 0;  // written beside the old file while the step runs
    std::uint64_t added = 0;      // what the folder holds more after the step
    std::uint64_t freed = 0;      // what the folder holds less after the step
};

// The largest of (what the steps before one added less what they freed, plus that step's
// temporary bytes) over all steps; 0 when no step needs more than is already in use. Sums that
// would pass 2^64 - 1 stay there: such a run fits on no disk.
std::uint64_t PeakSpaceNeed(const std::vector<SpaceStep>& steps);

}  // namespace Orvane
