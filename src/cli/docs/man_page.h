// The manual page orvpatch(1) in roff, made from the command declarations (command.h), so that
// it lists every command and option the program takes. The build writes it with
// `orvpatch --man`.
#pragma once

#include <string>

namespace Orvane::Cli {

std::string ManPage(const std::string& version);

}  // namespace Orvane::Cli
