// The dry run of a patch: what a run with the same inputs would do to each record, and every
// failure that is already certain, computed without writing anything.
//
//   RunPlan plan = PlanRun(inputs);   // the same RunInputs a run takes
//   for (const PlannedRecord& record : plan.records) ... record.action, record.failure ...
//   if (plan.Completes()) ... else ... plan.failure is the text the run would end with ...
//
// The plan reads the script as the run does (CPatchScript::NextCommand) and decides with the
// commands' own rules (commands/install_rules.h, commands/archive_rules.h), so the two never
// disagree about what they see. Later records see the folder as the earlier ones would leave
// it. What the plan cannot see is a file locked or a disk filled at run time, a folder that
// refuses new files, and Cancel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/newer_files.h"
#include "app/run_patch.h"
#include "app/space_need.h"

namespace Orvane {

enum class PlannedAction {
    Copy,              // the payload is written
    SkipNewer,         // the installed file is as new as the payload or newer, with its bytes
    SkipNewerDiffers,  // the same, but its bytes differ from the payload's (or it is a folder)
    Delete,            // the file is deleted
    Absent,            // nothing of that name to delete
    Rebuild,           // the archive is rebuilt at the target revision
    SkipRevision,      // the archive is already at the target revision or past it
    Fail,              // the command fails with `failure`
};

struct PlannedRecord {
    std::size_t index = 0;  // from 0, in script order
    std::int32_t type = 0;  // kCopyCommand, kDeleteCommand or kArchiveCommand
    // Relative to the installation folder, as the record gives it (a copy: folder and payload
    // name); code page 932.
    std::string path;
    PlannedAction action = PlannedAction::Fail;
    std::string failure;  // the run's text for a Fail (code page 932); empty otherwise
    // Archives: the revision read from the header, and the record's target revision.
    std::optional<std::uint32_t> fromRevision;
    std::optional<std::uint32_t> toRevision;
    // Archives that would be rebuilt: entries dropped and entries appended.
    std::optional<std::size_t> removed;
    std::optional<std::size_t> added;
    // What carrying the record out writes and frees on the disk; nothing for a record that
    // changes nothing or fails.
    SpaceStep space;
};

struct RunPlan {
    // Every record the script yields, also those behind a failing one (planned as if the failing
    // record had changed nothing; the run stops before them).
    std::vector<PlannedRecord> records;
    // The text the run would end with; empty when it would complete.
    std::string failure;

    bool Completes() const { return failure.empty(); }
};

// Never raises. The checks before the script (folder, container) come in the run's order; a
// script that cannot be loaded or parsed ends the plan with the records read so far. newer is
// the policy the run is given through DecideNewerFiles (the Windows program's: Keep).
RunPlan PlanRun(const RunInputs& inputs, NewerFiles newer = NewerFiles::Keep);

}  // namespace Orvane
