// Removes one file of the installation. A file that is not there is no error, so a patch
// applied twice is harmless; a file that exists and cannot be deleted (read-only, in use, a
// folder) fails the command and stays.
#pragma once

#include <string>

#include "commands/command_outcome.h"
#include "commands/progress_sink.h"
#include "patch/command_params.h"

namespace Orvane {

inline constexpr char kDeletingFormat[] = "『 %s 』を削除中...";
inline constexpr char kUpdateFileNotDeleted[] = "更新ファイルの削除に失敗！";

// installFolder ends with a backslash. Does not look at the Cancel request. Deleted, or Absent.
CommandOutcome CmdDelete(ProgressSink& progress, const std::string& installFolder, DeleteParams& params);

}  // namespace Orvane
