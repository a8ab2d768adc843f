// A subcommand of `orvpatch`: its name, what it does in one line, its operands, its options
// (option_reader.h) and the function that runs it. Each command declares all of this in a file
// of its own (commands/*_command.cpp) and is listed once in command_table.cpp; usage lines,
// --help, the man page and the shell completion are all made from these declarations.
#pragma once

#include <string>
#include <vector>

#include "cli/command_errors.h"
#include "cli/option_reader.h"

namespace Orvane::Cli {

struct Command {
    const char* name;      // one word, or two for a group of commands ("arc list")
    const char* summary;
    const char* operands;  // "PATCH", "OLD... NEW"
    OptionTable options;
    int (*run)(const ReadOptions& options);
};

const std::vector<Command>& Commands();
const Command* FindCommand(const std::string& name);

}  // namespace Orvane::Cli
