// `orvpatch apply --dry-run --json`: the plan of a run as one JSON object (texts in UTF-8).
//
//   {"completes": true|false, "failure": TEXT|null,
//    "spaceNeeded": N, "spaceFree": N|null, "spaceFits": true|false,
//    "records": [{"index": N, "type": "copy"|"delete"|"archive", "path": TEXT,
//                 "action": ACTION, "failure": TEXT|null,
//                 "from": N, "to": N,            (archives whose header was read)
//                 "removed": N, "added": N}]}    (archives that would be rebuilt)
#pragma once

#include <string>

#include "app/run_plan.h"
#include "app/plan_space.h"

namespace Orvane::Cli {

std::string PlanJson(const RunPlan& plan, const PlanSpace& space);

}  // namespace Orvane::Cli
