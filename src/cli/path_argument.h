// Paths from the command line (UTF-8) as the core takes them (code page 932).
#pragma once

#include <filesystem>
#include <string>

namespace Orvane::Cli {

// Raises UsageError when code page 932 cannot hold the path.
std::string AnsiPathArgument(const std::string& utf8);

}  // namespace Orvane::Cli
