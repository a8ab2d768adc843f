// Paths from the command line (UTF-8) as the core takes them (code page 932).
#pragma once

#include <filesystem>
#include <string>

namespace Orvane::Cli {

// Raises UsageError when code page 932 cannot hold the path.
std::string AnsiPathArgument(const std::string& utf8);

// A UTF-8 path as this system's file functions take it, and back.
std::filesystem::path HostPath(const std::string& utf8);
std::string Utf8Path(const std::filesystem::path& path);

}  // namespace Orvane::Cli
