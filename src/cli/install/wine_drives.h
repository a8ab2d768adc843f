// Where a Wine prefix is and what its Windows paths are on this system.
//
// A prefix maps drive letters through links in its dosdevices/ folder ("c:" -> ../drive_c,
// "z:" -> /), so C:\Games\Orvane is <prefix>/dosdevices/c:/Games/Orvane.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace Orvane::Cli {

// $WINEPREFIX, else ~/.wine ($HOME); nothing when neither variable is set.
std::optional<std::filesystem::path> WinePrefix();

// The prefix's registry file of the current user.
std::filesystem::path UserRegistryFile(const std::filesystem::path& prefix);

// windowsPath (UTF-8, "X:" followed by the path on that drive) on this system, with the drive
// link resolved; nothing when it names no drive letter or the prefix has no link for it.
std::optional<std::filesystem::path> HostPathOfWindowsPath(const std::filesystem::path& prefix,
                                                           const std::string& windowsPath);

}  // namespace Orvane::Cli
