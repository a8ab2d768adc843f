// The warning `apply` prints before a run that may not fit on the disk.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "cli/views/plan_space_text.h"

namespace Orvane::Cli {
namespace {

RunPlan Completing() { return {}; }

RunPlan FailingAtARecord() {
    RunPlan plan;
    PlannedRecord record;
    record.action = PlannedAction::Fail;
    record.failure = plan.failure = "record failure";
    plan.records.push_back(record);
    return plan;
}

// The container or the script stopped the plan: no record failed.
RunPlan CutShort() {
    RunPlan plan;
    PlannedRecord record;
    record.action = PlannedAction::Copy;
    plan.records.push_back(record);
    plan.failure = "script failure";
    return plan;
}

struct WarningCase {
    const char* name;
    RunPlan plan;
    PlanSpace space;
    std::optional<std::string> warning;
};

TEST(RunSpaceWarningTest, WarnsOnlyWhenAPlanOfTheWholeRunDoesNotFit) {
    const std::string tooBig =
        "warning: the run needs 2000 bytes of disk space, but only 1999 bytes are free; "
        "running anyway";
    const WarningCase cases[] = {
        {"does not fit", Completing(), {2000, 1999}, tooBig},
        {"fails at a record, after what does not fit", FailingAtARecord(), {2000, 1999}, tooBig},
        {"fits exactly", Completing(), {2000, 2000}, std::nullopt},
        {"free space unknown", Completing(), {2000, std::nullopt}, std::nullopt},
        {"plan cut short", CutShort(), {2000, 1999}, std::nullopt},
    };
    for (const WarningCase& c : cases) EXPECT_EQ(RunSpaceWarning(c.plan, c.space), c.warning) << c.name;
}

}  // namespace
}  // namespace Orvane::Cli
