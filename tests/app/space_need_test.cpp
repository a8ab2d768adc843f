// The disk space a run needs at its fullest moment, from its steps in order.
#include <gtest/gtest.h>

#include <limits>

#include "app/space_need.h"

namespace Orvane {
namespace {

constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max();

struct NeedCase {
    const char* name;
    std::vector<SpaceStep> steps;  // {temporary, added, freed}
    std::uint64_t peak;
};

TEST(SpaceNeedTest, PeakIsTheFullestMomentOverTheSteps) {
    const NeedCase cases[] = {
        {"no steps", {}, 0},
        {"a new file", {{100, 100, 0}}, 100},
        {"a rebuild needs its new archive beside the old one", {{900, 900, 1000}}, 900},
        {"a later copy comes on top of an earlier one", {{100, 100, 0}, {50, 50, 0}}, 150},
        {"a shrinking rebuild makes room for the next copy",
         {{200, 200, 1000}, {1000, 1000, 0}}, 200},
        {"a delete before a big copy frees room for it", {{0, 0, 500}, {800, 800, 0}}, 300},
        {"freeing more than a copy needs needs nothing", {{0, 0, 500}, {400, 400, 0}}, 0},
        {"the same delete after the copy frees too late", {{800, 800, 0}, {0, 0, 500}}, 800},
        {"a copy over an old file needs its whole payload first", {{300, 300, 200}}, 300},
        {"an earlier peak stays the peak", {{1000, 1000, 0}, {0, 0, 1000}, {10, 10, 0}}, 1000},
        {"sums that pass 2^64 stay at the most",
         {{kMost - 1, kMost - 1, 0}, {kMost, kMost, 0}}, kMost},
        {"frees that pass 2^64 do not wrap into a need",
         {{0, 0, kMost}, {0, 0, kMost}, {100, 100, 0}}, 0},
    };
    for (const NeedCase& c : cases) EXPECT_EQ(PeakSpaceNeed(c.steps), c.peak) << c.name;
}

}  // namespace
}  // namespace Orvane
