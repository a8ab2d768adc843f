// The dry run of a copy record and of a delete record: what the command would do with the file
// it finds, decided by the command's own rules. Each raises the failure the command would
// raise, with its text; the overlay then takes the effect the command would have.
#pragma once

#include "app/run_plan.h"
#include "app/plan_context.h"
#include "patch/command_params.h"

namespace Orvane {

// record.path is already set.
void PlanCopyRecord(PlanContext& context, CopyParams& params, PlannedRecord& record);
void PlanDelete(PlanContext& context, DeleteParams& params, PlannedRecord& record);

}  // namespace Orvane
