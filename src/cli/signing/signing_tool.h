// osslsigncode, the signer of patch executables, run as a child process (signing_tool_posix.cpp,
// signing_tool_win32.cpp).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace Orvane::Cli {

inline constexpr char kSigningTool[] = "osslsigncode";
// What signing says when the tool cannot be run: where this platform gets it.
extern const char kSigningToolMissing[];
// The path by which the tool opens its standard input as a file; empty where there is none.
extern const char kStandardInputPath[];

struct ToolRun {
    bool started = false;  // false when the tool could not be run at all
    int exitCode = -1;
    std::string output;    // what it printed, stdout and stderr together
};

// Runs osslsigncode with the arguments; input, when given, is its standard input (otherwise
// it reads nothing). Waits for it to end.
ToolRun RunSigningTool(const std::vector<std::string>& arguments,
                       const std::optional<std::string>& input = std::nullopt);

}  // namespace Orvane::Cli
