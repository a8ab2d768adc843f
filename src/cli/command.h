// A subcommand of `orvpatch`: its name, what it does in one line, its usage, and the function
// that runs it. Each command lives in a file of its own and is listed once in command_table.cpp.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace Orvane::Cli {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

using Arguments = std::vector<std::string>;  // UTF-8, without the program and command names

struct Command {
    const char* name;
    const char* summary;
    const char* usage;
    int (*run)(const Arguments& arguments);
};

// Raised by a command for a mistake in its arguments; main prints it with the usage line and
// exits with kExitUsage.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised by a command that cannot do its work (an archive that cannot be read, a file that
// cannot be written); main prints it and exits with kExitFailure.
class CommandFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Commands are named by one word, or by two for a group of commands ("arc list").
const std::vector<Command>& Commands();
const Command* FindCommand(const std::string& name);

}  // namespace Orvane::Cli
