#include "platform/posix/host_path.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "platform/posix/cp932.h"
#include "platform/posix/folder_listings.h"
#include "platform/posix/name_match.h"

namespace Orvane::Os::Posix {
namespace {

constexpr char kSeparator = '/';
constexpr char kWindowsSeparator = '\\';
constexpr std::string_view kCurrent = ".";
constexpr std::string_view kParent = "..";

// The disk. For one lookup (oneLookup), the changes made to the folders kept are taken in at
// its first look at a folder, not again at every component of the same path.
class RealDisk final : public DirectoryView {
public:
    explicit RealDisk(bool oneLookup = false) : oneLookup_(oneLookup) {}

    std::vector<std::string> CaseVariants(const std::string& folder,
                                          std::string_view name) const override {
        bool takeChanges = !(oneLookup_ && changesTaken_);
        changesTaken_ = true;
        if (auto kept = KeptCaseVariants(folder, name, takeChanges)) return std::move(*kept);
        return DirectoryView::CaseVariants(folder, name);
    }

    bool Exists(const std::string& path) const override {
        if (IsKnownFolderOrAbove(path)) return true;
        struct stat info;
        return ::lstat(path.c_str(), &info) == 0;
    }

    // Looks at folder once: when it exists, so does every folder above it, and those are not
    // looked at again. A new file's folder usually exists as spelt, and a deep path then costs
    // one look instead of one per folder.
    void LearnFolder(const std::string& folder) {
        struct stat info;
        if (!folder.empty() && ::lstat(folder.c_str(), &info) == 0) knownFolder_ = folder;
    }

    std::vector<std::string> Entries(const std::string& folder) const override {
        std::vector<std::string> names;
        DIR* directory = ::opendir(folder.c_str());
        if (directory == nullptr) return names;
        while (const dirent* entry = ::readdir(directory)) {
            std::string_view name = entry->d_name;
            if (name != kCurrent && name != kParent) names.emplace_back(name);
        }
        ::closedir(directory);
        return names;
    }

private:
    bool IsKnownFolderOrAbove(const std::string& path) const {
        return !path.empty() && knownFolder_.starts_with(path) &&
               (knownFolder_.size() == path.size() || knownFolder_[path.size()] == '/' ||
                path.back() == '/');
    }

    const bool oneLookup_;
    mutable bool changesTaken_ = false;
    std::string knownFolder_;  // exists, as do the folders above it
};

std::vector<std::string_view> Components(std::string_view path) {
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        std::size_t end = std::min(path.find(kSeparator), path.size());
        if (end > 0) parts.push_back(path.substr(0, end));
        path.remove_prefix(std::min(end + 1, path.size()));
    }
    return parts;
}

std::string Join(std::string_view folder, std::string_view name) {
    std::string joined(folder);
    if (!joined.empty() && joined.back() != kSeparator) joined += kSeparator;
    joined += name;
    return joined;
}

// The entries of folder that equal name without regard to case but not byte for byte, in byte
// order.
std::vector<std::string> OtherCaseEntries(const DirectoryView& disk, const std::string& folder,
                                          std::string_view name) {
    std::vector<std::string> entries =
        disk.CaseVariants(folder.empty() ? std::string(kCurrent) : folder, name);
    std::erase_if(entries, [&](const std::string& entry) { return entry == name; });
    std::sort(entries.begin(), entries.end());
    return entries;
}

// How far a path resolved: the path on the disk, and how many of its components exist there.
struct Resolution {
    std::string path;
    std::size_t found = 0;
};

// Resolves parts[index...] below folder, which exists. Each component tries its exact name
// first, then its other case variants in byte order, and descends into each until one
// resolves the whole path. When none does, the deepest partial resolution wins (the first in
// that order among equals), and the components below it keep the case given.
Resolution Descend(const DirectoryView& disk, const std::vector<std::string_view>& parts,
                   std::size_t index, const std::string& folder) {
    if (index == parts.size()) return {folder, index};
    Resolution best{folder, index};
    for (std::size_t rest = index; rest < parts.size(); ++rest)
        best.path = Join(best.path, parts[rest]);
    auto tryCandidate = [&](std::string_view name) {
        Resolution reached = Descend(disk, parts, index + 1, Join(folder, name));
        if (reached.found > best.found) best = std::move(reached);
        return best.found == parts.size();
    };
    if (disk.Exists(Join(folder, parts[index])) && tryCandidate(parts[index])) return best;
    for (const std::string& entry : OtherCaseEntries(disk, folder, parts[index])) {
        if (tryCandidate(entry)) break;
    }
    return best;
}

bool IsAbsolute(std::string_view path) { return !path.empty() && path.front() == kSeparator; }

bool HasTrailingSeparator(std::string_view path) {
    return path.size() > 1 && path.back() == kSeparator;
}

}  // namespace

std::vector<std::string> DirectoryView::CaseVariants(const std::string& folder,
                                                     std::string_view name) const {
    std::vector<std::string> entries = Entries(folder);
    std::erase_if(entries,
                  [&](const std::string& entry) { return !EqualIgnoringCase(entry, name); });
    return entries;
}

const DirectoryView& HostDisk() {
    static const RealDisk disk;
    return disk;
}

std::string ToHostSyntax(const std::string& cp932Path) {
    std::string host = Cp932ToUtf8(std::string_view(cp932Path.c_str()));
    std::replace(host.begin(), host.end(), kWindowsSeparator, kSeparator);
    return host;
}

std::string MatchCase(std::string_view hostPath, const DirectoryView& disk) {
    std::string root = IsAbsolute(hostPath) ? std::string(1, kSeparator) : std::string();
    std::string resolved = Descend(disk, Components(hostPath), 0, root).path;
    if (HasTrailingSeparator(hostPath) && !HasTrailingSeparator(resolved)) resolved += kSeparator;
    return resolved;
}

std::string NormalHostPath(std::string_view hostPath) {
    bool absolute = IsAbsolute(hostPath);
    std::vector<std::string_view> kept;
    for (std::string_view part : Components(hostPath)) {
        if (part == kCurrent) continue;
        if (part != kParent) {
            kept.push_back(part);
        } else if (!kept.empty() && kept.back() != kParent) {
            kept.pop_back();
        } else if (!absolute) {
            kept.push_back(part);  // a relative path may climb above its start; the root may not
        }
    }
    std::string normal = absolute ? std::string(1, kSeparator) : std::string();
    for (std::string_view part : kept) normal = Join(normal, part);
    if (normal.empty()) normal = kCurrent;
    if (HasTrailingSeparator(hostPath) && normal.back() != kSeparator) normal += kSeparator;
    return normal;
}

std::string ResolveHostPath(std::string_view hostPath) {
    if (hostPath.empty()) return {};
    std::string normal = NormalHostPath(hostPath);
    RealDisk disk(true);
    if (disk.Exists(normal)) return normal;
    disk.LearnFolder(std::string(SplitAtLastSeparator(normal).folder));
    return MatchCase(normal, disk);
}

std::string HostPath(const std::string& cp932Path) {
    return ResolveHostPath(ToHostSyntax(cp932Path));
}

std::string AbsoluteHostPath(std::string_view hostPath, std::string_view currentFolder) {
    return NormalHostPath(IsAbsolute(hostPath) ? std::string(hostPath)
                                               : Join(currentFolder, hostPath));
}

FolderAndName SplitAtLastSeparator(std::string_view hostPath) {
    std::size_t last = hostPath.rfind(kSeparator);
    if (last == std::string_view::npos) return {{}, hostPath};
    return {hostPath.substr(0, last + 1), hostPath.substr(last + 1)};
}

}  // namespace Orvane::Os::Posix
