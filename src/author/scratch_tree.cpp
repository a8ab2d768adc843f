#include "author/scratch_tree.h"

#include <algorithm>
#include <optional>

#include "author/host_files.h"
#include "author/path_key.h"
#include "author/record_paths.h"
#include "author/refusal.h"
#include "common/ansi_path.h"
#include "common/failure.h"
#include "platform/file_clone.h"

namespace Orvane::Author {
namespace {

namespace fs = std::filesystem;

// The file as it is now; nothing when it cannot be looked at.
std::optional<LinkedFile> Describe(const fs::path& host) {
    std::error_code error;
    LinkedFile file{host, fs::file_size(host, error), {}};
    if (!error) file.modified = fs::last_write_time(host, error);
    if (error) return std::nullopt;
    return file;
}

// Links the release's file into the tree (see scratch_tree.h), noting it as it is; a clone or
// a copy where no link can be made (another file system, one without hard links).
bool LinkOrClone(const fs::path& from, const fs::path& to, ScratchTree& tree) {
    std::optional<LinkedFile> before = Describe(from);
    std::error_code error;
    if (before && (fs::create_hard_link(from, to, error), !error)) {
        tree.linked.push_back(std::move(*before));
        return true;
    }
    return Os::CloneFile(from, to);
}

void CopyItem(const Release& old, const ReleaseItem& item, bool bytes, const fs::path& folder,
              ScratchTree& tree) {
    fs::path target = folder / fs::path(item.host).lexically_relative(old.Root());
    std::error_code error;
    bool copied = item.isFolder ? (fs::create_directory(target, error), !error)
                  : bytes       ? LinkOrClone(item.host, target, tree)
                                : Os::MakeEmptyStandIn(item.host, target);
    if (!copied) throw MessageFailure(std::string(kCannotCopy) + ": " + MessagePath(item.host));
}

// The release's items along path, from its first folder on, up to the first that the
// release lacks or that is a file; a file the run only deletes is copied without its bytes.
void CopyAlong(const Release& old, const RecordPath& record, const fs::path& folder,
               ScratchTree& tree) {
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
        if (tree.keys.insert(key).second) CopyItem(old, *item, bytes, folder, tree);
        if (!item->isFolder) return;
    }
}

}  // namespace

ScratchTree CopyWhatTheRunOpens(const Release& old, const PatchPlan& plan,
                                const fs::path& folder) {
    ScratchTree tree;
    std::vector<RecordPath> paths = RecordPaths(plan);
    // Paths whose bytes matter first, so that a file also deleted is copied with its bytes.
    std::stable_partition(paths.begin(), paths.end(),
                          [](const RecordPath& path) { return path.keepsBytes; });
    for (const RecordPath& path : paths) CopyAlong(old, path, folder, tree);
    return tree;
}

void RequireLinkedUnchanged(const ScratchTree& tree) {
    for (const LinkedFile& file : tree.linked) {
        std::optional<LinkedFile> now = Describe(file.host);
        if (!now || now->size != file.size || now->modified != file.modified) {
            RefusePath(kOldFileChanged, file.host);
        }
    }
}

}  // namespace Orvane::Author
