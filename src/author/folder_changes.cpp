#include "author/folder_changes.h"

#include <map>
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

// How many old releases have a folder there.
std::size_t OldsWithFolder(const DiffContext& context, const std::u16string& key) {
    std::size_t count = 0;
    for (const Release& old : context.olds) {
        const ReleaseItem* there = old.Find(key);
        if (there != nullptr && there->isFolder) ++count;
    }
    return count;
}

// Whether some old release has no folder there (nothing, or a file that makes way for it).
bool AnyOldLacksFolder(const DiffContext& context, const std::u16string& key) {
    return OldsWithFolder(context, key) < context.olds.size();
}

// Whether the folder's parent is the release's root or a folder the new release has, so that
// a folder that vanished is noted once, not with everything below it.
bool ParentStays(const DiffContext& context, const std::u16string& key) {
    std::size_t separator = key.rfind(u'\\');
    return separator == std::u16string::npos ||
           context.newer.Find(key.substr(0, separator)) != nullptr;
}

}  // namespace

void CheckShapes(DiffContext& context) {
    std::map<std::u16string, const ReleaseItem*> makingWay;
    for (const Release& old : context.olds) {
        for (const auto& [key, item] : old.Items()) {
            const ReleaseItem* newer = context.newer.Find(key);
            if (newer == nullptr || newer->isFolder == item.isFolder) continue;
            context.refusals.Try([&] {
                if (item.isFolder) Refuse(kFolderBecomesFile, InRelease(item.path, old));
                if (OldsWithFolder(context, key) > 0) Refuse(kFileAndFolderInOlds, item.path);
                makingWay[key] = &item;
            });
        }
    }
    for (const auto& [key, file] : makingWay) {
        context.refusals.Try([&] { RequireRecordPath(*file); });
        context.plan.MakeWay({file->path});
        context.plan.Note(std::string(kRerunStops) + ": " + file->path);
    }
}

void NoteFolders(DiffContext& context) {
    for (const auto& [key, item] : context.newer.Items()) {
        if (item.isFolder && AnyOldLacksFolder(context, key) && !HoldsFiles(context.newer, key)) {
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
