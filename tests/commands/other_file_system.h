// A folder on another file system, for the swaps that must stay on one.
#pragma once

#include <filesystem>
#include <functional>
#include <iostream>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

#include <gtest/gtest.h>

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

// Runs test twice on a fresh installation folder: once where `link` below it is a plain
// folder (made by the test itself), once where it is a link to a folder on another file system
// (left out, and said so, where the machine has none). Cleans the other folder up.
inline void ForPlainAndLinkedFolder(const std::string& link,
                                    const std::function<void(const TempFolder&)>& test) {
    for (bool linked : {false, true}) {
        SCOPED_TRACE(linked ? link + " is a link to another file system" : link + " is a folder");
        TempFolder install;
        std::string other;
        if (linked && (other = LinkToAnotherFileSystem(install, link)).empty()) {
            std::cout << "no second file system here: the linked case is left out\n";
            continue;
        }
        test(install);
        if (!other.empty()) std::filesystem::remove_all(other);
    }
}

}  // namespace Orvane::Test
