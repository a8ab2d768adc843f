#include "author/folder_changes.h"

#include <set>

namespace Orvane::Author {
namespace {

// Whether anything below the folder is a file.
bool HoldsFiles(const Release& release, const std::u16string& key) {
    std::u16string below = key + u'\\';
    for (auto it = release.Items().lower_bound(below);
         it != release.Items().end() && it->first.starts_with(below); ++it) {
        if (!it->second.isFolder) return true;
    }
    return false;
}

bool AnyOldLacks(const DiffContext& context, const std::u16string& key) {
    for (const Release& old : context.olds) {
        if (old.Find(key) == nullptr) return true;
    }
    return false;
}

// Whether the folder's parent is the release's root or a folder the new release has, so that
// a folder that vanished is noted once, not with everything below it.
bool ParentStays(const DiffContext& context, const std::u16string& key) {
    std::size_t separator = key.rfind(u'\\');
    return separator == std::u16string::npos ||
           context.newer.Find(key.substr(0, separator)) != nullptr;
}

}  // namespace

void CheckShapes(const DiffContext& context) {
    for (const Release& old : context.olds) {
        for (const auto& [key, item] : old.Items()) {
            const ReleaseItem* newer = context.newer.Find(key);
            if (newer == nullptr || newer->isFolder == item.isFolder) continue;
            Refuse(item.isFolder ? kFolderBecomesFile : kFileBecomesFolder,
                   InRelease(item.path, old));
        }
    }
}

void NoteFolders(DiffContext& context) {
    for (const auto& [key, item] : context.newer.Items()) {
        if (item.isFolder && AnyOldLacks(context, key) && !HoldsFiles(context.newer, key)) {
            context.plan.Note(std::string(kEmptyFolderNotMade) + ": " + item.path);
        }
    }
    std::set<std::u16string> noted;
    for (const Release& old : context.olds) {
        for (const auto& [key, item] : old.Items()) {
            if (item.isFolder && context.newer.Find(key) == nullptr && ParentStays(context, key) &&
                noted.insert(key).second) {
                context.plan.Note(std::string(kOldFolderStays) + ": " + item.path);
            }
        }
    }
}

}  // namespace Orvane::Author
