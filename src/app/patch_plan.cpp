#include "app/patch_plan.h"

#include <memory>
#include <new>

#include "app/plan_archive_record.h"
#include "app/plan_file_records.h"
#include "app/plan_overlay.h"
#include "commands/install_rules.h"
#include "common/failure.h"
#include "patch/patch_script.h"
#include "patch/patch_texts.h"

namespace Orvane {
namespace {

void PlanCommand(const std::string& folder, const CPatchScript& script, ICmdParams& command,
                 PlanOverlay& overlay, PlannedRecord& record) {
    switch (command.type) {
        case kCopyCommand:
            PlanCopy(folder, static_cast<CopyParams&>(command), overlay, record);
            break;
        case kDeleteCommand:
            PlanDelete(folder, static_cast<DeleteParams&>(command), overlay, record);
            break;
        case kArchiveCommand:
            PlanArchiveUpdate(folder, script, static_cast<ArchiverParams&>(command), overlay,
                              record);
            break;
    }
}

void Fail(PlannedRecord& record, std::string text) {
    record.action = PlannedAction::Fail;
    record.failure = std::move(text);
}

// One record; a failure its command would raise becomes the record's failure.
PlannedRecord PlanRecord(std::size_t index, const std::string& folder, const CPatchScript& script,
                         ICmdParams& command, PlanOverlay& overlay) {
    PlannedRecord record;
    record.index = index;
    record.type = command.type;
    record.path = RecordPath(command);
    try {
        PlanCommand(folder, script, command, overlay, record);
    } catch (const MessageFailure& failure) {
        Fail(record, failure.Text());
    } catch (const PlainFailure&) {
        Fail(record, kSyntaxError);
    } catch (const std::bad_alloc&) {  // the run shows exhausted memory as a plain failure
        Fail(record, kSyntaxError);
    }
    return record;
}

void PlanScript(PatchPlan& plan, const std::string& folder, CPatchScript& script) {
    PlanOverlay overlay;
    for (std::size_t index = 0;; ++index) {
        std::shared_ptr<ICmdParams> command = script.NextCommand();
        if (!command) throw MessageFailure(kScriptParseFailed);
        if (command->type < 0) return;
        plan.records.push_back(PlanRecord(index, folder, script, *command, overlay));
        if (plan.failure.empty()) plan.failure = plan.records.back().failure;
    }
}

// The run's checks before its first record, in the run's order.
void Plan(PatchPlan& plan, const RunInputs& inputs) {
    std::string folder = FolderWithSeparator(inputs.folder);
    if (inputs.exePath.empty()) throw MessageFailure(kNoPatchData);
    CPatchScript script(inputs.exePath, inputs.scriptOffset, inputs.version);
    if (!script.Stream()) throw MessageFailure(kScriptLoadFailed);
    PlanScript(plan, folder, script);
}

}  // namespace

PatchPlan PlanPatch(const RunInputs& inputs) {
    PatchPlan plan;
    std::string failure;
    try {
        Plan(plan, inputs);
    } catch (const MessageFailure& stop) {
        failure = stop.Text();
    } catch (const PlainFailure&) {
        failure = kSyntaxError;
    } catch (const std::bad_alloc&) {
        failure = kSyntaxError;
    }
    // The first failure is the one the run ends with: a script that breaks behind a failing
    // record is never read that far.
    if (plan.failure.empty()) plan.failure = failure;
    return plan;
}

}  // namespace Orvane
