#include "cli/views/plan_text.h"

#include <string>

#include "cli/views/console.h"
#include "cli/views/plan_space_text.h"
#include "common/utf8.h"
#include "patch/container_format.h"

namespace Orvane::Cli {
namespace {

constexpr char kCompletes[] = "the run would complete";
constexpr char kFails[] = "the run would fail: ";
constexpr char kKeptNewerCount[] = "warning: files the run keeps as newer though they differ "
                                   "from the patch: ";
constexpr char kKeptNewerHint[] = " (--replace-newer replaces them)";

std::string Number(std::uint64_t value) { return std::to_string(value); }

// What follows the action: revisions and counts of an archive, the text of a failure.
std::string Details(const PlannedRecord& record) {
    std::string details;
    if (record.action == PlannedAction::Rebuild) {
        details = ", revision " + Number(*record.fromRevision) + " to " +
                  Number(*record.toRevision) + ", " + Number(*record.removed) + " removed, " +
                  Number(*record.added) + " added";
    } else if (record.action == PlannedAction::SkipRevision) {
        details = ", revision " + Number(*record.fromRevision) + ", target " +
                  Number(*record.toRevision);
    } else if (record.action == PlannedAction::Fail) {
        details = ": " + Common::Utf8FromAnsi(record.failure);
    }
    return details;
}

std::size_t KeptNewerCount(const RunPlan& plan) {
    std::size_t count = 0;
    for (const PlannedRecord& record : plan.records) {
        count += record.action == PlannedAction::SkipNewerDiffers;
    }
    return count;
}

}  // namespace

const char* ActionName(PlannedAction action) {
    switch (action) {
        case PlannedAction::Copy: return "copy";
        case PlannedAction::SkipNewer: return "skip-newer";
        case PlannedAction::SkipNewerDiffers: return "skip-newer-differs";
        case PlannedAction::Delete: return "delete";
        case PlannedAction::Absent: return "absent";
        case PlannedAction::Rebuild: return "rebuild";
        case PlannedAction::SkipRevision: return "skip-revision";
        case PlannedAction::Fail: return "fail";
    }
    return "fail";
}

const char* RecordTypeName(std::int32_t type) {
    switch (type) {
        case kCopyCommand: return "copy";
        case kDeleteCommand: return "delete";
        default: return "archive";
    }
}

void PrintPlanText(std::FILE* out, const RunPlan& plan, const PlanSpace& space) {
    for (const PlannedRecord& record : plan.records) {
        PrintLine(out, Number(record.index) + " " + RecordTypeName(record.type) + " " +
                           Common::Utf8FromAnsi(record.path) + ": " + ActionName(record.action) +
                           Details(record));
    }
    PrintLine(out, SpaceLine(space));
    if (!space.Fits()) PrintLine(out, SpaceWarning(space));
    std::size_t keptNewer = KeptNewerCount(plan);
    if (keptNewer > 0) PrintLine(out, kKeptNewerCount + Number(keptNewer) + kKeptNewerHint);
    PrintLine(out, plan.Completes() ? kCompletes : kFails + Common::Utf8FromAnsi(plan.failure));
}

}  // namespace Orvane::Cli
