// The command line of the Windows patch program, for runs that nobody watches:
//
//   patch.exe [/SILENT | /VERYSILENT] [/DIR="FOLDER"] [/LOG="FILE"]
//   patch.exe /? | /HELP
//
// Switches are matched without regard to case. Arguments are separated by blanks outside double
// quotes; a double quote only switches quoting on and off and is not kept, so /DIR="C:\My Game\"
// gives C:\My Game\ (there are no escapes: Windows names cannot hold a double quote). The first
// word of the line is the program's own path.
//
// Without arguments the program is the interactive one. The parser is pure and portable, so its
// rules are tested on every build.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace Orvane {

enum class UiLevel {
    Interactive,  // the main dialog and message boxes
    Silent,       // only the progress dialog, whose Cancel works; no message boxes
    VerySilent,   // no window at all
};

// Exit codes of the program. The interactive program ends with 1 after a completed run and 2
// when the user leaves; a silent run follows the convention of deployment tools.
inline constexpr int kExitInteractiveCompleted = 1;
inline constexpr int kExitInteractiveCancel = 2;
inline constexpr int kExitCompleted = 0;         // also after /? and /HELP
inline constexpr int kExitCancelled = 2;         // Cancel, a close request or a signal
inline constexpr int kExitFailed = 3;            // a command or the script failed
inline constexpr int kExitCannotStart = 4;       // no or damaged container, no folder, no log
inline constexpr int kExitBadCommandLine = 5;    // an unknown switch or a missing value
inline constexpr int kExitFolderNotAnsi = 6;     // the folder cannot be written in code page 932

struct UnattendedOptions {
    UiLevel ui = UiLevel::Interactive;
    bool help = false;
    std::optional<std::u16string> folder;
    std::optional<std::u16string> logFile;
    // Empty when the line was understood; otherwise the argument that was not (UTF-16).
    std::u16string badArgument;

    bool Silent() const { return ui != UiLevel::Interactive; }
};

// The arguments of a whole command line, the program's path dropped.
std::vector<std::u16string> SplitCommandLine(const std::u16string& commandLine);

// Never raises. A switch given twice keeps its last value; /SILENT and /VERYSILENT together
// are /VERYSILENT. The ui level is set even when another argument is bad, so that a silent run
// with a wrong command line still shows nothing.
UnattendedOptions ParseUnattendedOptions(const std::u16string& commandLine);

// The usage, as the program shows it for /? (ASCII).
inline constexpr char kUnattendedUsage[] =
    "patch.exe [/SILENT | /VERYSILENT] [/DIR=\"FOLDER\"] [/LOG=\"FILE\"]\n"
    "\n"
    "/SILENT\tno main dialog and no messages; the progress dialog shows\n"
    "/VERYSILENT\tno window at all\n"
    "/DIR=\"FOLDER\"\tthe installation folder\n"
    "/LOG=\"FILE\"\ta log of the run (UTF-8)\n"
    "\n"
    "Exit codes of /SILENT and /VERYSILENT: 0 completed, 2 cancelled, 3 failed,\n"
    "4 cannot start, 5 wrong command line, 6 folder not in code page 932.\n"
    "Without them: 1 completed, 2 Cancel.";

}  // namespace Orvane
