// The bash completion of orvpatch, made from the command declarations (command.h): command
// names, then the options of the command, and files for operands and for option values. The
// build writes it with `orvpatch --bash-completion`.
#pragma once

#include <string>

namespace Orvane::Cli {

std::string BashCompletion();

}  // namespace Orvane::Cli
