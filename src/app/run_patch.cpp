#include "app/run_patch.h"

#include "app/copy_group.h"
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

// Swaps in what the gathered copies wrote, in record order, once the files are on the disk;
// the run's current record is each copy's in turn, so that a failure names the right one. What
// follows a failed copy is never swapped in: its temporary files go.
void FinishCopies(Run& run, CopyGroup& copies, const CommandReport& report) {
    if (copies.Empty()) return;
    // One written file is flushed alone: a flush of its whole file system would also wait for
    // what other programs have written there.
    std::vector<std::string> written = copies.WrittenFiles();
    bool onDisk = written.size() > 1 && Os::FlushFileSystemsOf(written);
    for (PendingCopy& copy : copies.Take()) {
        run.command = copy.command;
        run.index = copy.index;
        copy.prepared.dataOnDisk = copy.prepared.dataOnDisk || onDisk;
        CommandOutcome outcome =
            FinishCopy(*run.progress, static_cast<const CopyParams&>(*copy.command), copy.prepared);
        if (report) report(*run.command, outcome);
    }
}

// One record: false at the end of the script. A copy that can join the gathered ones is only
// prepared; anything else swaps the gathered ones in first.
bool ExecuteRecord(Run& run, CopyGroup& copies, const std::string& folder,
                   CErrorMessages& errorMessages, const CommandReport& report) {
    std::size_t index = run.index;
    std::shared_ptr<ICmdParams> command = run.script->NextCommand();
    auto* copy = command && command->type == kCopyCommand
                     ? static_cast<CopyParams*>(command.get())
                     : nullptr;
    if (copy != nullptr) copy->baseFolder = folder;
    bool joins = copy != nullptr && copies.Takes(*copy);
    if (!joins) {
        FinishCopies(run, copies, report);
        joins = copy != nullptr && copies.Takes(*copy);  // the first of a new group
    }
    run.command = command;
    run.index = index;
    if (!run.command) throw MessageFailure(kScriptParseFailed);
    if (run.command->type < 0) return false;
    run.progress->PumpMessages();
    if (run.progress->TakeCancelRequest()) throw MessageFailure(kCancelled);
    if (joins) {
        copies.Add(run.command, index,
                   PrepareCopy(*run.progress, folder, *copy, errorMessages, run.replaceNewer,
                               WrittenData::Leave));
        return true;
    }
    CommandOutcome outcome = Execute(run, folder, errorMessages);
    if (report) report(*run.command, outcome);
    return true;
}

// The records in order. A failure or Cancel at one record first swaps in the copies gathered
// before it, which are done as they would be one after the other; a failure among those is
// the one reported.
void ExecuteScript(Run& run, const std::string& folder, CErrorMessages& errorMessages,
                   const CommandReport& report) {
    CopyGroup copies;
    for (;; ++run.index) {
        try {
            if (!ExecuteRecord(run, copies, folder, errorMessages, report)) break;
        } catch (...) {
            std::shared_ptr<ICmdParams> failed = run.command;
            std::size_t failedIndex = run.index;
            FinishCopies(run, copies, report);
            run.command = failed;
            run.index = failedIndex;
            throw;
        }
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
    // Each folder the run copies into is listed once, not searched for every new file.
    Os::FolderSnapshots folderSnapshots;
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
