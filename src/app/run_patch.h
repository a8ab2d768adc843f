// The patch run: checks the folder and the container, loads the script, then reads and
// executes one command record at a time until the end record. Front ends only turn the outcome
// into what their user sees.
//
//   RunOutcome outcome = RunPatch(inputs, errorMessages, [&] { return OpenMyProgressDisplay(); });
//   if (outcome.completed) ... show kPatchCompleted ... else ... show outcome.message ...
//
// The progress display is opened exactly once, after the script has loaded, and everything the
// run made (the current record, the display, the script) is released before RunPatch returns,
// so the display is gone and the executable closed before the outcome is shown. Nothing that a
// finished command changed is undone.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "commands/command_outcome.h"
#include "commands/copy_command.h"
#include "commands/error_messages.h"
#include "commands/progress_sink.h"
#include "patch/command_params.h"

namespace Orvane {

inline constexpr char kPatchCompleted[] = "修正が完了しました！";
inline constexpr char kNoInstallFolder[] = "インストール先が指定されていません！";
inline constexpr char kNoPatchData[] = "修正データがありません！";
inline constexpr char kSyntaxError[] = "syntax error！";
// The title shown, and the caption of the outcome's message box, when there is no usable
// container (the gap is an ideographic space).
inline constexpr char kDefaultCaption[] = "Orvane　修正プログラム";

struct RunInputs {
    std::string folder;      // code page 932; a trailing backslash is added when missing
    std::string exePath;     // empty when the container was found unusable at start-up
    std::uint32_t scriptOffset = 0;
    std::int32_t version = -1;
};

// The command record a run stopped at with a failure.
struct FailedRecord {
    std::size_t index = 0;      // from 0, in script order, as the dry run counts them
    std::int32_t type = 0;      // kCopyCommand, kDeleteCommand or kArchiveCommand
    std::string path;           // code page 932, as commands/install_rules.h RecordPath gives it
};

struct RunOutcome {
    bool completed = false;
    std::string message;  // the failure's text (code page 932); kPatchCompleted on completion
    bool cancelled = false;  // the run stopped at a Cancel request
    bool started = false;    // the script had loaded and the progress display was opened
    // Set when a command record failed (not at a Cancel request, nor before the first record).
    std::optional<FailedRecord> failedRecord;
};

// The installation folder as the commands take it, with a trailing backslash. Raises
// MessageFailure(kNoInstallFolder) for an empty folder text.
std::string FolderWithSeparator(const std::string& folder);

using ProgressOpener = std::function<std::shared_ptr<ProgressSink>()>;
// Told of every command record that has been carried out, with what it did (the run's log).
using CommandReport = std::function<void(const ICmdParams&, const CommandOutcome&)>;

// Never raises: every failure of the run becomes the outcome's message. replaceNewer goes to
// every copy (commands/copy_command.h); the Windows program gives none, and so leaves every
// installed file that is as new as its payload or newer.
RunOutcome RunPatch(const RunInputs& inputs, CErrorMessages& errorMessages,
                    const ProgressOpener& openProgress, const NewerFileDecision& replaceNewer = {},
                    const CommandReport& report = {});

}  // namespace Orvane
