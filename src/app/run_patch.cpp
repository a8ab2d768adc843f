#include "app/run_patch.h"

#include "commands/archive_update.h"
#include "commands/copy_command.h"
#include "commands/delete_command.h"
#include "commands/install_rules.h"
#include "common/ansi_path.h"
#include "common/failure.h"
#include "patch/patch_script.h"
#include "patch/patch_texts.h"
#include "platform/os.h"

namespace Orvane {
namespace {

// Everything a run creates, released in reverse order of creation when the run ends.
struct Run {
    const NewerFileDecision& replaceNewer;
    std::shared_ptr<CPatchScript> script;
    std::shared_ptr<ProgressSink> progress;
    std::shared_ptr<ICmdParams> command;
    std::size_t index = 0;  // of the current command record
};

CommandOutcome Execute(Run& run, const std::string& folder, CErrorMessages& errorMessages) {
    ProgressSink& progress = *run.progress;
    switch (run.command->type) {
        case kCopyCommand:
            return CmdCopy(progress, folder, static_cast<CopyParams&>(*run.command),
                           errorMessages, run.replaceNewer);
        case kDeleteCommand:
            return CmdDelete(progress, folder, static_cast<DeleteParams&>(*run.command));
        default:  // kArchiveCommand: NextCommand yields no other type
            return UpdateArchive(progress, folder, *run.script,
                                 static_cast<ArchiverParams&>(*run.command));
    }
}

void ExecuteScript(Run& run, const std::string& folder, CErrorMessages& errorMessages,
                   const CommandReport& report) {
    for (;; ++run.index) {
        run.command = run.script->NextCommand();
        if (!run.command) throw MessageFailure(kScriptParseFailed);
        if (run.command->type < 0) return;
        run.progress->PumpMessages();
        if (run.progress->TakeCancelRequest()) throw MessageFailure(kCancelled);
        CommandOutcome outcome = Execute(run, folder, errorMessages);
        if (report) report(*run.command, outcome);
        run.command.reset();
    }
}

void Perform(Run& run, const RunInputs& inputs, CErrorMessages& errorMessages,
             const ProgressOpener& openProgress, const CommandReport& report) {
    std::string folder = FolderWithSeparator(inputs.folder);
    if (inputs.exePath.empty()) throw MessageFailure(kNoPatchData);
    run.script = std::make_shared<CPatchScript>(inputs.exePath, inputs.scriptOffset,
                                                inputs.version);
    if (!run.script->Stream()) throw MessageFailure(kScriptLoadFailed);
    run.progress = openProgress();
    run.progress->SetPos(0);
    ExecuteScript(run, folder, errorMessages, report);
}

// Every way a run stops at a Cancel request: the driver's and the archive update's own text,
// and the copy command's, which follows the payload's name.
bool IsCancelText(const std::string& text) {
    return text == kCancelled || text.ends_with(kCopyCancelled);
}

// Releases the run's objects newest first: the display is gone and the executable closed
// before the caller shows anything.
RunOutcome Finish(Run& run, bool completed, std::string message) {
    RunOutcome outcome{completed, std::move(message)};
    outcome.cancelled = !completed && IsCancelText(outcome.message);
    outcome.started = run.progress != nullptr;
    if (!completed && !outcome.cancelled && run.command && run.command->type >= 0) {
        outcome.failedRecord = FailedRecord{run.index, run.command->type, RecordPath(*run.command)};
    }
    run.command.reset();
    run.progress.reset();
    run.script.reset();
    return outcome;
}

}  // namespace

// A folder ending in a double-byte character whose second byte is 0x5C (表, ソ) gets its
// backslash too: without it the commands would write and delete beside the folder instead of
// inside it.
std::string FolderWithSeparator(const std::string& folder) {
    if (folder.empty()) throw MessageFailure(kNoInstallFolder);
    return Common::WithTrailingBackslash(folder);
}

RunOutcome RunPatch(const RunInputs& inputs, CErrorMessages& errorMessages,
                    const ProgressOpener& openProgress, const NewerFileDecision& replaceNewer,
                    const CommandReport& report) {
    Run run{replaceNewer};
    // Ends before the caller hears of the outcome: what the run swapped in is on the disk then.
    Os::FolderFlushBatch folderFlushes;
    try {
        Perform(run, inputs, errorMessages, openProgress, report);
        return Finish(run, true, kPatchCompleted);
    } catch (const MessageFailure& failure) {
        return Finish(run, false, failure.Text());
    } catch (const PlainFailure&) {
        return Finish(run, false, kSyntaxError);
    } catch (...) {
        // Exhausted memory and anything else unforeseen: shown like a plain failure.
        return Finish(run, false, kSyntaxError);
    }
}

}  // namespace Orvane
