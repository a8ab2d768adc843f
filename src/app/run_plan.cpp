#include "app/run_plan.h"

#include <memory>
#include <new>

#include "app/plan_archive_record.h"
#include "app/plan_file_records.h"
#include "app/plan_context.h"
#include "commands/install_rules.h"
#include "common/failure.h"
#include "patch/patch_script.h"
#include "patch/patch_texts.h"

namespace Orvane {
namespace {

void PlanCommand(PlanContext& context, ICmdParams& command, PlannedRecord& record) {
    switch (command.type) {
        case kCopyCommand:
            PlanCopyRecord(context, static_cast<CopyParams&>(command), record);
            break;
        case kDeleteCommand:
            PlanDelete(context, static_cast<DeleteParams&>(command), record);
            break;
        case kArchiveCommand:
            PlanArchiveUpdate(context, static_cast<ArchiverParams&>(command), record);
            break;
    }
}

void Fail(PlannedRecord& record, std::string text) {
    record.action = PlannedAction::Fail;
    record.failure = std::move(text);
}

// One record; a failure its command would raise becomes the record's failure.
PlannedRecord PlanRecord(std::size_t index, PlanContext& context, ICmdParams& command) {
    PlannedRecord record;
    record.index = index;
    record.type = command.type;
    record.path = RecordPath(command);
    try {
        PlanCommand(context, command, record);
    } catch (const MessageFailure& failure) {
        Fail(record, failure.Text());
    } catch (const PlainFailure&) {
        Fail(record, kSyntaxError);
    } catch (const std::bad_alloc&) {  // the run shows exhausted memory as a plain failure
        Fail(record, kSyntaxError);
    }
    return record;
}

void PlanScript(RunPlan& plan, const std::string& folder, CPatchScript& script,
                NewerFiles newer) {
    PlanContext context{folder, script, PlanOverlay(folder, LocalTimeNow()), newer};
    for (std::size_t index = 0;; ++index) {
        std::shared_ptr<ICmdParams> command = script.NextCommand();
        if (!command) throw MessageFailure(kScriptParseFailed);
        if (command->type < 0) return;
        plan.records.push_back(PlanRecord(index, context, *command));
        if (plan.failure.empty()) plan.failure = plan.records.back().failure;
    }
}

// The run's checks before its first record, in the run's order.
void Plan(RunPlan& plan, const RunInputs& inputs, NewerFiles newer) {
    std::string folder = FolderWithSeparator(inputs.folder);
    if (inputs.exePath.empty()) throw MessageFailure(kNoPatchData);
    CPatchScript script(inputs.exePath, inputs.scriptOffset, inputs.version);
    if (!script.Stream()) throw MessageFailure(kScriptLoadFailed);
    PlanScript(plan, folder, script, newer);
}

}  // namespace

RunPlan PlanRun(const RunInputs& inputs, NewerFiles newer) {
    RunPlan plan;
    std::string failure;
    try {
        Plan(plan, inputs, newer);
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
