#include "author/scratch_tree.h"

#include "author/host_files.h"
#include "author/path_key.h"
#include "author/record_paths.h"
#include "common/ansi_path.h"
#include "common/failure.h"
#include "platform/posix/file_clone.h"

namespace Orvane::Author {
namespace {

namespace fs = std::filesystem;

void CopyItem(const Release& old, const ReleaseItem& item, const fs::path& folder) {
    fs::path target = folder / item.host.lexically_relative(old.Root());
    std::error_code error;
    bool copied = item.isFolder ? (fs::create_directory(target, error), !error)
                                : Os::Posix::CloneFile(item.host.native(), target.native());
    if (!copied) throw MessageFailure(std::string(kCannotCopy) + ": " + MessagePath(item.host));
}

// The release's items along path, from its first folder on, up to the first that the
// release lacks or that is a file.
void CopyAlong(const Release& old, const std::string& path, const fs::path& folder,
               std::set<std::u16string>& copied) {
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && Common::IsLeadByte(static_cast<std::uint8_t>(path[i]))) {
            ++i;
            continue;
        }
        if (i < path.size() && path[i] != '\\' && path[i] != '/') continue;
        std::u16string key = PathKey(path.substr(0, i));
        const ReleaseItem* item = old.Find(key);
        if (item == nullptr) return;
        if (copied.insert(key).second) CopyItem(old, *item, folder);
        if (!item->isFolder) return;
    }
}

}  // namespace

std::set<std::u16string> CopyWhatTheRunOpens(const Release& old, const PatchPlan& plan,
                                             const fs::path& folder) {
    std::set<std::u16string> copied;
    for (const RecordPath& path : RecordPaths(plan)) CopyAlong(old, path.path, folder, copied);
    return copied;
}

}  // namespace Orvane::Author
