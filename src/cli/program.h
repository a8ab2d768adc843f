// The running program as the platform gives it (program_posix.cpp, program_win32.cpp): its
// arguments in UTF-8 and its own file.
#pragma once

#include <filesystem>
#include <optional>

#include "cli/command.h"

namespace Orvane::Cli {

// The arguments after the program's name, UTF-8. On Linux they are argv as it stands, and TZ
// is set to the system's zone when it is unset; on Windows they come from the Unicode command
// line, and the console is set to show UTF-8.
Arguments ProgramArguments(int argc, char** argv);

// The program's own file; nothing when it cannot be told.
std::optional<std::filesystem::path> ProgramFile();

}  // namespace Orvane::Cli
