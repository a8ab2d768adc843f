// The dry run of a copy record and of a delete record: what the command would do with the file
// it finds, decided by the command's own rules. Each raises the failure the command would
// raise, with its text; the overlay then takes the effect the command would have.
#pragma once

#include <string>

#include "app/patch_plan.h"
#include "app/plan_overlay.h"
#include "patch/command_params.h"

namespace Orvane {

// installFolder ends with a backslash; record.path is already set.
void PlanCopy(const std::string& installFolder, CopyParams& params, PlanOverlay& overlay,
              PlannedRecord& record);
void PlanDelete(const std::string& installFolder, DeleteParams& params, PlanOverlay& overlay,
                PlannedRecord& record);

}  // namespace Orvane
