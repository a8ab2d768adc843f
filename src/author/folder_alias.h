// A short path by which a run reaches a folder whose own path is too long for it, while the
// alias lives: on Linux /proc/self/fd/N/, through a descriptor of the folder held open; on
// Windows a drive letter of the session defined for the folder.
#pragma once

#include <filesystem>
#include <string>

namespace Orvane::Author {

class FolderAlias {
public:
    explicit FolderAlias(const std::filesystem::path& folder);
    ~FolderAlias();
    FolderAlias(const FolderAlias&) = delete;
    FolderAlias& operator=(const FolderAlias&) = delete;

    // The alias ending in a separator, code page 932; empty when there is none.
    const std::string& Path() const { return path_; }

private:
    int descriptor_ = -1;  // the open folder on Linux, the drive letter on Windows
    std::string path_;
};

}  // namespace Orvane::Author
