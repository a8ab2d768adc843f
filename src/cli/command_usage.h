// The usage line and the help of a command, made from its declaration (command.h).
//
//   usage: orvpatch arc extract ARCHIVE -C DIR
//
// Operands come first, then the options the command needs, then the others in brackets; an
// option with a short name is shown by it.
#pragma once

#include <string>

#include "cli/command.h"

namespace Orvane::Cli {

inline constexpr char kProgram[] = "orvpatch";
inline constexpr char kHelpText[] = "show this help";

// "-o PATCH", "--json": how the option is written with its value.
std::string OptionSynopsis(const OptionDeclaration& option);
// "-o, --output PATCH": every spelling of the option.
std::string OptionSpellings(const OptionDeclaration& option);

// "usage: orvpatch arc extract ARCHIVE -C DIR"
std::string UsageLine(const Command& command);

// The usage line, the summary and one line per option, the help option last.
std::string CommandHelp(const Command& command);

}  // namespace Orvane::Cli
