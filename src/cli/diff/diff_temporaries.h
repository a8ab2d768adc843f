// What `orvpatch diff` makes under temporary names: the patch, the manifest, the payload folder
// and the check's scratch folder, each as PLACE.tmp-NUMBER beside its place. Each carries the
// mark of our temporary files (platform/posix/temp_mark.h) from the moment it exists, so that a
// later diff can tell what a killed one left from anything else that merely looks like it.
#pragma once

#include <filesystem>

namespace Orvane::Cli {

inline constexpr char kTemporaryNotMade[] = "cannot make a temporary file or folder beside";

// A new empty file or folder named after place, marked as ours. Raises MessageFailure.
std::filesystem::path CreateMarkedFile(const std::filesystem::path& place);
std::filesystem::path CreateMarkedFolder(const std::filesystem::path& place);

// Removes, with everything in them, the entries of folder named NAME.tmp-NUMBER whose mark
// says that their creator is gone; anything unmarked or still live is left alone.
void RemoveLeftovers(const std::filesystem::path& folder);

// The check's scratch folder: a marked folder in base, what killed diffs left there removed
// first; removed with everything in it at the end.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::filesystem::path& base);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Takes the mark off what has been renamed into place and is no longer temporary.
void Unmark(const std::filesystem::path& path);

}  // namespace Orvane::Cli
