// Brings one LINK archive of the installation up to a target revision: entries named by the
// removal list are dropped, payloads named by the addition list are appended, and the header
// gets the new revision.
//
// The archive is never edited in place. A complete new archive is written to a temporary file
// in the archive's own folder (on its file system) and swapped in with one atomic replace only when it is complete.
// Until then every failure, Cancel included, leaves the installed archive as it was and the
// temporary file is deleted; if the swap itself cannot be made (the archive is read-only or
// stays locked), the old archive is kept as well.
#pragma once

#include <string>

#include "commands/command_outcome.h"
#include "commands/progress_sink.h"
#include "patch/command_params.h"
#include "patch/patch_script.h"

namespace Orvane {

inline constexpr char kUpdatingFormat[] = "『 %s 』を更新中...";
inline constexpr char kReplacingFormat[] = "『 %s 』ファイルをコピー中...";
inline constexpr char kArchiveOpenFailed[] = "ARCファイルのOpenに失敗しました！";
inline constexpr char kArchiveHeaderReadFailed[] = "ヘッダの読み込みに失敗";
inline constexpr char kTempNameFailed[] = "テンポラリファイル名の作成に失敗！";
inline constexpr char kTempCreateFailed[] = "テンポラリファイルのCreateに失敗しました！";
inline constexpr char kEntryReadFailed[] = "ファイルの読み込みに失敗！";
inline constexpr char kPayloadMissing[] = "更新ファイルが無い！";
inline constexpr char kArchiveReplaceFailed[] = "ARCファイルの更新に失敗しました！";

// installFolder ends with a backslash. An archive already at or beyond the target revision is
// left alone (KeptRevision with the archive's revision); otherwise Rebuilt with the target.
// Sets `done` on every removal record that removed an entry.
CommandOutcome UpdateArchive(ProgressSink& progress, const std::string& installFolder,
                   const CPatchScript& script, ArchiverParams& params);

}  // namespace Orvane
