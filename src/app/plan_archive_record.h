// The dry run of an archive update record: opens and walks the archive as the update would,
// decides every entry with the update's rules and checks every entry header and added payload
// by writing it to memory, so that whatever would fail the update fails here with its text.
// The archive is rebuilt in the overlay as entry headers only (names, sizes, times), so that a
// later update of the same archive sees what this one leaves; the size of the archive the update
// would write follows from them. An archive that an earlier record copied from the patch is
// read where it lies in the patch file, one entry header at a time, never loaded whole.
#pragma once

#include "app/run_plan.h"
#include "app/plan_context.h"
#include "patch/command_params.h"

namespace Orvane {

// record.path is already set.
void PlanArchiveUpdate(PlanContext& context, ArchiverParams& params, PlannedRecord& record);

}  // namespace Orvane
