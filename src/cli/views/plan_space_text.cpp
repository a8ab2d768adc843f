#include "cli/views/plan_space_text.h"

namespace Orvane::Cli {
namespace {

constexpr char kSpace[] = "space: ";
constexpr char kBytesNeeded[] = " bytes needed, ";
constexpr char kBytesFree[] = " bytes free";
constexpr char kFreeUnknown[] = "free space unknown";
constexpr char kWarningNeeds[] = "warning: the run needs ";
constexpr char kWarningOnlyFree[] = " bytes of disk space, but only ";
constexpr char kWarningAreFree[] = " bytes are free";
constexpr char kRunsAnyway[] = "; running anyway";

std::string FreeBytes(const PlanSpace& space) {
    return space.free ? std::to_string(*space.free) : "?";
}

}  // namespace

std::string SpaceLine(const PlanSpace& space) {
    std::string line = kSpace + std::to_string(space.needed) + kBytesNeeded;
    return line + (space.free ? std::to_string(*space.free) + kBytesFree : kFreeUnknown);
}

std::string SpaceWarning(const PlanSpace& space) {
    return kWarningNeeds + std::to_string(space.needed) + kWarningOnlyFree + FreeBytes(space) +
           kWarningAreFree;
}

std::optional<std::string> RunSpaceWarning(const RunPlan& plan, const PlanSpace& space) {
    if (!CoversRun(plan) || space.Fits()) return std::nullopt;
    return SpaceWarning(space) + kRunsAnyway;
}

}  // namespace Orvane::Cli
