#include "app/space_need.h"

#include <algorithm>
#include <limits>

namespace Orvane {
namespace {

std::uint64_t SaturatingSum(std::uint64_t a, std::uint64_t b) {
    constexpr std::uint64_t kMost = std::numeric_limits<std::uint64_t>::max();
    return b > kMost - a ? kMost : a + b;
}

// grown - shrunk, or 0 when the folder holds no more than before.
std::uint64_t Beyond(std::uint64_t grown, std::uint64_t shrunk) {
    return grown > shrunk ? grown - shrunk : 0;
}

}  // namespace

std::uint64_t PeakSpaceNeed(const std::vector<SpaceStep>& steps) {
    // Kept as two totals, so that freeing before a copy and growing after it never pass
    // through a negative number.
    std::uint64_t added = 0;
    std::uint64_t freed = 0;
    std::uint64_t peak = 0;
    for (const SpaceStep& step : steps) {
        peak = std::max(peak, Beyond(SaturatingSum(added, step.temporary), freed));
        added = SaturatingSum(added, step.added);
        freed = SaturatingSum(freed, step.freed);
    }
    return peak;
}

}  // namespace Orvane
