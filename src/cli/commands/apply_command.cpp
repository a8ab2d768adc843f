// `orvpatch apply PATCH [--dry-run [--json]] [--replace-newer] [--folder DIR] [--log FILE]`: what
// the Windows program does when its player presses Run, with a console instead of its dialogs.
//
// The patch executable is opened and its container located and read as at the program's
// start; a problem found there is printed first. The folder is DIR, or else the one that the
// program would propose from the registry of the Wine prefix. The run then reports as the
// program does: the completion text on stdout (exit 0) or the failure text on stderr (exit 1).
// With --dry-run nothing is written: the plan of the run is printed (app/run_plan.h) with the
// disk space it needs (app/plan_space.h), as text or with --json as JSON, and the exit status
// says whether the run would complete. Without it, a run whose plan needs more space than the
// disk has free is announced by a warning on stderr and carried out all the same: a disk that
// really fills stops the run with its failure, and the files it was replacing stay intact.
//
// A copy leaves an installed file that is as new as its payload or newer, as the Windows program
// does; the files so left whose bytes differ from the payload's are named in a warning at the
// end of the run (app/newer_files.h). --replace-newer replaces them instead, for installations
// whose times cannot be trusted.
//
// With --log FILE the run is also written to FILE as the Windows program's /LOG writes it.
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "commands/error_messages.h"
#include "app/newer_files.h"
#include "app/run_plan.h"
#include "app/plan_space.h"
#include "app/space_bound.h"
#include "app/run_log.h"
#include "app/run_patch.h"
#include "cli/cancel_signal.h"
#include "cli/command.h"
#include "cli/views/console.h"
#include "cli/views/console_progress.h"
#include "cli/path_argument.h"
#include "cli/views/plan_json.h"
#include "cli/views/plan_space_text.h"
#include "cli/views/plan_text.h"
#include "cli/install/install_folder.h"
#include "common/utf8.h"
#include "patch/container_start.h"

namespace Orvane::Cli {
namespace {

namespace fs = std::filesystem;

constexpr char kFolderOption[] = "--folder";
constexpr char kLogOption[] = "--log";
constexpr char kLogNotWritten[] = "cannot write the log ";
constexpr char kLogIncomplete[] = "warning: the log lacks lines, writing it failed during the run: ";
constexpr char kDryRunOption[] = "--dry-run";
constexpr char kJsonOption[] = "--json";
constexpr char kReplaceNewerOption[] = "--replace-newer";
constexpr char kJsonNeedsDryRun[] = "--json needs --dry-run";
constexpr char kMissingPatch[] = "no patch executable given";
constexpr char kExtraArgument[] = "unexpected argument ";
constexpr char kNotAFolder[] = "not a folder: ";
constexpr char kNoSuchPatch[] = "the patch executable does not exist: ";
constexpr char kNoSuchFolder[] = "the installation folder does not exist: ";
// Notes on stderr about a registry folder that cannot be used; the run then finds no folder.
constexpr char kNotePrefix[] = "orvpatch apply: ";
constexpr char kFailedAtRecord[] = "the run stopped at record ";
constexpr char kUnmappedFolder[] =
    "the installation folder in the registry is on no drive of the Wine prefix: ";
constexpr char kUnwritableFolder[] =
    "the installation folder in the registry cannot be written in code page 932: ";
// Warnings at the end of a run about copies that left a newer file whose bytes differ.
constexpr char kKeptNewer[] = "warning: kept as newer than the patch's file, but differs from it: ";
constexpr char kReplaceNewerHint[] =
    "warning: the files above were left as the installation has them; "
    "--replace-newer replaces them with the patch's";

struct ApplyArguments {
    std::optional<std::string> folder;  // UTF-8
    std::string patch;                  // UTF-8
    std::optional<std::string> log;     // UTF-8
    bool dryRun = false;
    bool json = false;
    bool replaceNewer = false;

    NewerFiles Newer() const {
        return replaceNewer ? NewerFiles::ReplaceDiffering : NewerFiles::Keep;
    }
};

std::optional<std::string> OptionalValue(const ReadOptions& options, const char* option) {
    if (!options.Has(option)) return std::nullopt;
    return options.Value(option);
}

ApplyArguments ParseArguments(const ReadOptions& options) {
    if (options.operands.empty()) throw UsageError(kMissingPatch);
    if (options.operands.size() > 1) throw UsageError(kExtraArgument + options.operands[1]);
    ApplyArguments parsed;
    parsed.patch = options.operands.front();
    parsed.folder = OptionalValue(options, kFolderOption);
    parsed.log = OptionalValue(options, kLogOption);
    parsed.dryRun = options.Has(kDryRunOption);
    parsed.json = options.Has(kJsonOption);
    parsed.replaceNewer = options.Has(kReplaceNewerOption);
    if (parsed.json && !parsed.dryRun) throw UsageError(kJsonNeedsDryRun);
    return parsed;
}

// An empty DIR stays empty: no folder is known, as when the registry has none. A file in its
// place is a mistake in the arguments; a folder that does not exist is named before the run,
// which would only report an archive it cannot open. The run adds the trailing separator, also
// to a folder whose name ends in a character such as 表 (95 5C).
std::string FolderArgument(const std::string& utf8) {
    if (utf8.empty()) return utf8;
    std::error_code error;
    fs::path path(std::u8string(utf8.begin(), utf8.end()));
    if (!fs::exists(path, error)) throw CommandFailure(kNoSuchFolder + utf8);
    if (!fs::is_directory(path, error)) throw UsageError(kNotAFolder + utf8);
    return AnsiPathArgument(utf8);
}

// A patch that is not there is named before the run, whose own texts would speak of a wrong
// file size and of missing patch data.
void RequirePatchFile(const std::string& utf8) {
    std::error_code error;
    if (!fs::exists(fs::path(std::u8string(utf8.begin(), utf8.end())), error)) {
        throw CommandFailure(kNoSuchPatch + utf8);
    }
}

// The folder the Windows program would propose; empty when there is none.
std::string RegistryFolder(const ContainerStart& start) {
    if (!start.failureText.empty()) return "";
    InstallFolderLookup found = FindInstallFolder(start.header.registryKey);
    if (!found.folder) {
        if (!found.unmappedValue.empty()) {
            PrintLine(stderr, kNotePrefix + (kUnmappedFolder + found.unmappedValue));
        }
        return "";
    }
    std::u8string host = found.folder->u8string();
    std::string utf8(host.begin(), host.end());
    if (std::optional<std::string> ansi = Common::ExactAnsiFromUtf8(utf8)) return *ansi;
    PrintLine(stderr, kNotePrefix + (kUnwritableFolder + utf8));
    return "";
}

RunInputs InputsFor(const std::string& patchPath, const ContainerStart& start) {
    RunInputs inputs;
    if (!start.failureText.empty()) return inputs;
    inputs.exePath = patchPath;
    inputs.scriptOffset = start.header.scriptOffset;
    inputs.version = start.header.version;
    return inputs;
}

std::shared_ptr<ProgressSink> OpenConsoleProgress() {
    return std::make_shared<ConsoleProgress>(stderr, StyleFor(stderr), TerminalColumns(stderr),
                                             &CancelSignal::TakeRequest);
}

int ReportPlan(const RunInputs& inputs, const ApplyArguments& parsed) {
    RunPlan plan = PlanRun(inputs, parsed.Newer());
    PlanSpace space = MeasurePlanSpace(plan, inputs.folder);
    if (parsed.json) {
        PrintLine(stdout, PlanJson(plan, space));
    } else {
        PrintPlanText(stdout, plan, space);
    }
    return plan.Completes() ? kExitSuccess : kExitFailure;
}

// A plan reads every archive the run updates, entry by entry; the quick bound of the script
// alone spares that whenever the disk clearly has room.
void WarnWhenSpaceIsShort(const RunInputs& inputs, NewerFiles newer) {
    std::optional<std::uint64_t> bound = SpaceBound(inputs);
    std::optional<std::uint64_t> freeBytes = FreeSpaceFor(inputs.folder);
    if (bound && freeBytes && *bound <= *freeBytes) return;
    RunPlan plan = PlanRun(inputs, newer);
    std::optional<std::string> warning =
        RunSpaceWarning(plan, MeasurePlanSpace(plan, inputs.folder));
    if (warning) PrintLine(stderr, kNotePrefix + *warning);
}

// Names every file that a copy left as newer although its bytes differ from the payload's, and
// without --replace-newer points to it (with it, only folders are left).
void WarnOfKeptNewerFiles(const std::vector<std::string>& keptDiffering, NewerFiles newer) {
    for (const std::string& path : keptDiffering) {
        PrintLine(stderr, kNotePrefix + (kKeptNewer + Common::Utf8FromAnsi(path)));
    }
    if (!keptDiffering.empty() && newer == NewerFiles::Keep) {
        PrintLine(stderr, kNotePrefix + std::string(kReplaceNewerHint));
    }
}

// The run, and its log when one was asked for; the log is made before anything is changed.
RunOutcome RunLogged(const RunInputs& inputs, const ContainerStart& start,
                     const std::optional<std::string>& logPath,
                     const NewerFileDecision& replaceNewer) {
    CErrorMessages errorMessages;
    if (!logPath) return RunPatch(inputs, errorMessages, OpenConsoleProgress, replaceNewer);
    std::ofstream file(fs::path(std::u8string(logPath->begin(), logPath->end())),
                       std::ios::binary | std::ios::trunc);
    if (!file) throw CommandFailure(kLogNotWritten + *logPath);
    RunLog log(file);
    log.Start(start.failureText.empty() ? start.header.title : kDefaultCaption, inputs.folder);
    RunOutcome outcome =
        RunPatch(inputs, errorMessages, OpenConsoleProgress, replaceNewer, log.Reporter());
    log.Finish(outcome);
    if (!log.Written()) PrintLine(stderr, kNotePrefix + (kLogIncomplete + *logPath));
    return outcome;
}

// A bar on a terminal leaves no progress line behind to tell which record the failure text is
// about; there it is named after the text. Progress lines (stderr not a terminal) already name
// the file just before the failure text, which then stays the last line, as the program shows it.
void WhereTheRunStopped(const std::optional<FailedRecord>& failed, ProgressStyle style) {
    if (!failed || style != ProgressStyle::Bar) return;
    PrintLine(stderr, kNotePrefix + (kFailedAtRecord + std::to_string(failed->index)) + " (" +
                          RecordTypeName(failed->type) + " " +
                          Common::Utf8FromAnsi(failed->path) + ")");
}

int Report(const RunOutcome& outcome, const std::vector<std::string>& keptDiffering,
           NewerFiles newer) {
    int status = kExitSuccess;
    if (outcome.completed) {
        PrintAnsiLine(stdout, kPatchCompleted);
    } else {
        PrintAnsiLine(stderr, outcome.message);
        WhereTheRunStopped(outcome.failedRecord, StyleFor(stderr));
        status = kExitFailure;
    }
    WarnOfKeptNewerFiles(keptDiffering, newer);
    return status;
}

}  // namespace

int RunApply(const ReadOptions& options) {
    ApplyArguments parsed = ParseArguments(options);
    std::string patchPath = AnsiPathArgument(parsed.patch);
    RequirePatchFile(parsed.patch);
    std::optional<std::string> folder;
    if (parsed.folder) folder = FolderArgument(*parsed.folder);

    ContainerStart start = ReadContainerStart(patchPath);
    if (!start.failureText.empty()) PrintAnsiLine(stderr, start.failureText);
    RunInputs inputs = InputsFor(patchPath, start);
    inputs.folder = folder ? *folder : RegistryFolder(start);
    if (parsed.dryRun) return ReportPlan(inputs, parsed);

    WarnWhenSpaceIsShort(inputs, parsed.Newer());
    CancelSignal cancel;
    std::vector<std::string> keptDiffering;
    RunOutcome outcome = RunLogged(inputs, start, parsed.log,
                                   DecideNewerFiles(parsed.Newer(), keptDiffering));
    return Report(outcome, keptDiffering, parsed.Newer());
}

const Command& ApplyCommand() {
    static const Command command{
        "apply", "apply a patch executable to an installation folder", "PATCH",
        {{kDryRunOption, nullptr, nullptr, false, false,
          "write nothing: print the plan of the run and the disk space it needs"},
         {kJsonOption, nullptr, nullptr, false, false, "print the plan as JSON (with --dry-run)"},
         {kReplaceNewerOption, nullptr, nullptr, false, false,
          "replace installed files that are newer than the patch's but differ from them"},
         {kFolderOption, nullptr, "DIR", false, false,
          "the installation folder (default: the one in the Wine prefix's registry)"},
         {kLogOption, nullptr, "FILE", false, false, "also write the run's log to FILE"}},
        &RunApply};
    return command;
}

}  // namespace Orvane::Cli
