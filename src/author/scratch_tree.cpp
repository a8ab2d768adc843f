#include "author/scratch_tree.h"

#include <algorithm>

#include "author/host_files.h"
#include "author/path_key.h"
#include "author/record_paths.h"
#include "common/ansi_path.h"
#include "common/failure.h"
#include "platform/file_clone.h"

namespace Orvane::Author {
namespace {

namespace fs = std::filesystem;

void CopyItem(const Release& old, const ReleaseItem& item, bool bytes, const fs::path& folder) {
    fs::path target = folder / fs::path(item.host).lexically_relative(old.Root());
    std::error_code error;
    bool copied = item.isFolder ? (fs::create_directory(target, error), !error)
                  : bytes       ? Os::CloneFile(item.host, target)
                                : Os::MakeEmptyStandIn(item.host, target);
    if (!copied) throw MessageFailure(std::string(kCannotCopy) + ": " + MessagePath(item.host));
}

// The release's items along path, from its first folder on, up to the first that the
// release lacks or that is a file; a file the run only deletes is copied without its bytes.
void CopyAlong(const Release& old, const RecordPath& record, const fs::path& folder,
               std::set<std::u16string>& copied) {
    const std::string& path = record.path;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && Common::IsLeadByte(static_cast<std::uint8_t>(path[i]))) {
            ++i;
            continue;
        }
        if (i < path.size() && path[i] != '\\' && path[i] != '/') continue;
        std::u16string key = PathKey(path.substr(0, i));
        const ReleaseItem* item = old.Find(key);
        if (item == nullptr) return;
        bool bytes = record.keepsBytes || i < path.size();
        if (copied.insert(key).second) CopyItem(old, *item, bytes, folder);
        if (!item->isFolder) return;
    }
}

}  // namespace

std::set<std::u16string> CopyWhatTheRunOpens(const Release& old, const PatchPlan& plan,
                                             const fs::path& folder) {
    std::set<std::u16string> copied;
    std::vector<RecordPath> paths = RecordPaths(plan);
    // Paths whose bytes matter first, so that a file also deleted is copied with its bytes.
    std::stable_partition(paths.begin(), paths.end(),
                          [](const RecordPath& path) { return path.keepsBytes; });
    for (const RecordPath& path : paths) CopyAlong(old, path, folder, copied);
    return copied;
}

}  // namespace Orvane::Author
