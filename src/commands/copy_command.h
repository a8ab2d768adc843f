// Installs one payload of the patch under its own name in a folder of the installation, with
// the payload's creation and last-write times. An installed file that is as new as the payload
// or newer is left alone, so a patch applied twice copies nothing the second time.
//
// The destination is never written directly: the payload goes to a temporary file beside it
// first, which then replaces the destination in one atomic rename. Whatever fails, the
// installed file is either the old one, untouched, or the complete new one.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "commands/command_outcome.h"
#include "commands/error_messages.h"
#include "commands/progress_sink.h"
#include "common/temp_file.h"
#include "patch/command_params.h"

namespace Orvane {

inline constexpr char kCopyingFormat[] = "『 %s 』をコピー中...";
inline constexpr char kCopyCancelled[] = "キャンセルボタンが押されたので終了します！ : CmdCopy";
inline constexpr char kUpdateFileNotCreated[] = "更新ファイルの作成に失敗！";
inline constexpr char kUpdateFileNotFound[] = "更新ファイルの作成に失敗！！";

// Asked about an installed file (or folder) that is as new as the payload or newer, which the
// copy otherwise leaves alone: true has it replaced all the same. params.baseFolder is set.
using NewerFileDecision = std::function<bool(const CopyParams& params)>;

// installFolder ends with a backslash. Fails with kUnsafePath for a destination outside the
// folder, kUpdateFileNotCreated when the payload cannot be written or put into place, the
// payload name and kCopyCancelled (through errorMessages) on Cancel. Without replaceNewer every
// file as new as the payload or newer is left, as the Windows program leaves it. Copied, or
// KeptNewer.
CommandOutcome CmdCopy(ProgressSink& progress, const std::string& installFolder,
                       CopyParams& params, CErrorMessages& errorMessages,
                       const NewerFileDecision& replaceNewer = {});

// CmdCopy in two steps, for a run of copies whose written files reach the disk together:
// PrepareCopy does all that comes before the swap (with its failures and Cancel), FinishCopy
// swaps the written file in and stamps it. A KeptNewer copy has nothing to finish.
struct PreparedCopy {
    CommandOutcome outcome;
    std::unique_ptr<Common::CTempFile> temp;  // the written payload, deleted unless swapped in
    bool installedBefore = false;
    // The destination was taken to be missing without a lookup (Os::WasMissingFromSnapshot):
    // the swap decides, with replaceNewer, when it finds the name taken after all.
    bool guessedMissing = false;
    NewerFileDecision replaceNewer;
    // The written file's data is on the disk: flushed as it was written, or with its whole
    // file system since (set by the caller). Otherwise FinishCopy flushes it first.
    bool dataOnDisk = false;
};
// Flush: the written file goes to the disk before it is closed, as a copy on its own needs;
// Leave: its caller flushes it later, with others.
enum class WrittenData : std::uint8_t { Flush, Leave };
PreparedCopy PrepareCopy(ProgressSink& progress, const std::string& installFolder,
                         CopyParams& params, CErrorMessages& errorMessages,
                         const NewerFileDecision& replaceNewer, WrittenData flush);
CommandOutcome FinishCopy(ProgressSink& progress, const CopyParams& params,
                          PreparedCopy& prepared);

}  // namespace Orvane
