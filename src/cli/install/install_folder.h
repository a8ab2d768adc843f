// The installation folder that the Windows program would propose for a patch: the string value
// Install under HKEY_CURRENT_USER\<registry key of the patch>. On Linux it is read from a Wine
// prefix (install/wine_install_folder.cpp, mapped through the prefix's drive links), on Windows from the registry itself
// (install/registry_install_folder.cpp); CMake builds the one of the platform.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace Orvane::Cli {

struct InstallFolderLookup {
    // The folder on this system; nothing when none was found.
    std::optional<std::filesystem::path> folder;
    // The value as the Windows program reads it (UTF-8) when it names no drive of the prefix.
    std::string unmappedValue;
};

// registryKey is code page 932, as the container header holds it. The value counts only when
// the Windows program would take it: a string of at most 259 bytes in code page 932.
InstallFolderLookup FindInstallFolder(const std::string& registryKey);

}  // namespace Orvane::Cli
