// A folder on another file system, for the swaps that must stay on one.
#pragma once

#include <filesystem>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "support/temp_folder.h"

namespace Orvane::Test {

// Makes a folder on another file system than `install` (tmpfs) and a link named `link` below
// `install` to it; the folder's path, or empty where the machine offers no second file system
// (and on Windows, where links to folders need privileges).
inline std::string LinkToAnotherFileSystem(const TempFolder& install, const std::string& link) {
#ifdef _WIN32
    (void)install, (void)link;
    return "";
#else
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path other = "/dev/shm";
    if (!fs::is_directory(other, error)) return "";
    std::string made = (other / ("orvtest-" + std::to_string(::getpid()))).string();
    fs::create_directory(made, error);
    fs::create_directory_symlink(made, install / link, error);
    return error ? "" : made;
#endif
}

}  // namespace Orvane::Test
