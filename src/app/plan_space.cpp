#include "app/plan_space.h"

#include <algorithm>
#include <vector>

#include "common/ansi_path.h"
#include "platform/os.h"

namespace Orvane {
namespace {

bool Fails(const PlannedRecord& record) { return record.action == PlannedAction::Fail; }

}  // namespace

std::optional<std::uint64_t> FreeSpaceFor(const std::string& folder) {
    for (std::string path = folder; !path.empty(); path = Common::ParentFolder(path)) {
        std::uint64_t freeBytes = 0;
        if (Os::GetDiskFreeSpace(path, &freeBytes)) return freeBytes;
    }
    return std::nullopt;
}

PlanSpace MeasurePlanSpace(const RunPlan& plan, const std::string& installFolder) {
    std::vector<SpaceStep> steps;
    for (const PlannedRecord& record : plan.records) {
        if (Fails(record)) break;  // the run stops there
        steps.push_back(record.space);
    }
    PlanSpace space;
    space.needed = PeakSpaceNeed(steps);
    space.free = FreeSpaceFor(installFolder);
    return space;
}

bool CoversRun(const RunPlan& plan) {
    return plan.Completes() || std::any_of(plan.records.begin(), plan.records.end(), Fails);
}

}  // namespace Orvane
