#include "platform/posix/host_path.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <optional>

#include "platform/posix/cp932.h"
#include "platform/posix/name_match.h"

namespace Orvane::Os::Posix {
namespace {

constexpr char kSeparator = '/';
constexpr char kWindowsSeparator = '\\';
constexpr std::string_view kCurrent = ".";
constexpr std::string_view kParent = "..";

class RealDisk final : public DirectoryView {
public:
    bool Exists(const std::string& path) const override {
        struct stat info;
        return ::lstat(path.c_str(), &info) == 0;
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

std::optional<std::string> EntryIgnoringCase(const DirectoryView& disk, const std::string& folder,
                                             std::string_view name) {
    std::vector<std::string> entries =
        disk.Entries(folder.empty() ? std::string(kCurrent) : folder);
    std::sort(entries.begin(), entries.end());
    for (auto& entry : entries) {
        if (EqualIgnoringCase(entry, name)) return std::move(entry);
    }
    return std::nullopt;
}

bool IsAbsolute(std::string_view path) { return !path.empty() && path.front() == kSeparator; }

bool HasTrailingSeparator(std::string_view path) {
    return path.size() > 1 && path.back() == kSeparator;
}

}  // namespace

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
    std::string resolved = IsAbsolute(hostPath) ? std::string(1, kSeparator) : std::string();
    bool found = true;
    for (std::string_view part : Components(hostPath)) {
        std::string exact = Join(resolved, part);
        if (found && !disk.Exists(exact)) {
            std::optional<std::string> entry = EntryIgnoringCase(disk, resolved, part);
            found = entry.has_value();
            if (found) exact = Join(resolved, *entry);
        }
        resolved = std::move(exact);
    }
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
    if (HostDisk().Exists(normal)) return normal;
    return MatchCase(normal, HostDisk());
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
