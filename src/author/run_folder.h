// The installation folder of the check's runs: a folder below the scratch folder whose path,
// as the run takes it (code page 932, ending in a separator), has exactly the length of a
// player's installation folder, so that a path that fits there fits for the player and one
// that does not fails as it would for the player. Where the scratch folder's own path is too
// long for that, the run reaches the folder through a shorter alias where the platform has one
// (author/folder_alias.h), and pads from there.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

#include "author/folder_alias.h"

namespace Orvane::Author {

inline constexpr char kNoRunFolder[] =
    "no folder of the installation folder's length can be made below the scratch folder";

class RunFolder {
public:
    // Makes the padding folders below base, an existing empty folder. Raises MessageFailure.
    RunFolder(const std::filesystem::path& base, std::size_t length);
    ~RunFolder();
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    const std::string& AsRunTakesIt() const { return cp932_; }  // code page 932
    const std::filesystem::path& Host() const { return host_; }

private:
    std::unique_ptr<FolderAlias> alias_;
    std::string cp932_;
    std::filesystem::path host_;
};

}  // namespace Orvane::Author
