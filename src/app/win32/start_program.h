// What the patch program does with its command line: the usage for /? and /HELP, a refusal of a
// wrong line or of a folder that code page 932 cannot hold, the log file, and then either the
// main dialog (no /SILENT or /VERYSILENT; /DIR fills its folder box) or a run without it.
#pragma once

#include "app/unattended_options.h"
#include "app/win32/windows_ui.h"

namespace Orvane {

// The message of a wrong command line, followed by the argument and the usage.
inline constexpr char kBadCommandLine[] = "コマンドラインの指定が正しくありません！";
// The message of a /DIR that code page 932 cannot hold exactly.
inline constexpr char kFolderNotAnsi[] = "指定されたフォルダ名は使用できません！";
// The message of a /LOG file that cannot be made.
inline constexpr char kLogNotCreated[] = "ログファイルの作成に失敗しました！";

// The program's exit code.
int StartProgram(HINSTANCE instance, const UnattendedOptions& options);

}  // namespace Orvane
