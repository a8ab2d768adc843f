#include "author/release_tree.h"

#include <algorithm>
#include <future>
#include <vector>

#include "author/host_files.h"
#include "author/path_key.h"
#include "author/refusal.h"
#include "commands/windows_name.h"

namespace Orvane::Author {
namespace {

// Below this, starting a thread costs more than digesting alongside saves.
constexpr std::uint64_t kDigestInParallelSize = 1 << 20;

namespace fs = std::filesystem;

std::string Utf8Name(const fs::path& path) {
    std::u8string name = path.filename().u8string();
    return std::string(name.begin(), name.end());
}

// The names in the folder in name order, so that what is reported first does not depend on
// the order the disk lists them in. Names only: a folder of tens of thousands of files would
// otherwise hold a path object for each of them at once.
std::vector<fs::path::string_type> SortedNames(const fs::path& folder) {
    std::error_code error;
    fs::directory_iterator iterator(folder, error);
    if (error) RefusePath(kCannotRead, folder);
    std::vector<fs::path::string_type> names;
    for (const fs::directory_entry& entry : iterator) {
        names.push_back(entry.path().filename().native());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

Release Release::Scan(const fs::path& root) {
    std::error_code error;
    if (!fs::is_directory(root, error)) RefusePath(kReleaseNotFolder, root);
    Release release;
    release.root_ = root;
    RefusalList refusals;
    release.ScanFolder(root, nullptr, refusals);
    refusals.RaiseIfAny();
    return release;
}

void Release::ScanFolder(const fs::path& folder, const ReleaseItem* parent,
                         RefusalList& refusals) {
    for (const fs::path::string_type& name : SortedNames(folder)) {
        std::error_code error;  // an entry gone meanwhile is refused as neither file nor folder
        fs::directory_entry entry(folder / name, error);
        refusals.Try([&] { Add(entry, parent, refusals); });
    }
}

void Release::Add(const fs::directory_entry& entry, const ReleaseItem* parent,
                  RefusalList& refusals) {
    std::string name;
    if (!Cp932Name(Utf8Name(entry.path()), name)) {
        RefusePath(kNameOutsideCp932, entry.path());
    }
    std::error_code error;
    ReleaseItem item;
    item.path = parent == nullptr ? name : parent->path + '\\' + name;
    item.windowsNames = (parent == nullptr || parent->windowsNames) && IsWindowsName(name);
    item.host = entry.path().native();
    item.isFolder = entry.is_directory(error) && !entry.is_symlink(error);
    if (!item.isFolder && !entry.is_regular_file(error)) {
        RefusePath(kNotFileOrFolder, entry.path());
    }
    if (!item.isFolder) {
        item.size = entry.file_size(error);
        if (error) RefusePath(kCannotRead, entry.path());
        item.modified = LastWriteTime(entry.path());
    }
    // try_emplace leaves item as it is when the key is taken, for the refusal to name it.
    auto [found, added] = items_.try_emplace(PathKey(item.path), std::move(item));
    if (!added) {
        Refuse(kNamesDifferInCase, MessagePath(found->second.host) + ", " + MessagePath(item.host));
    }
    if (found->second.isFolder) ScanFolder(entry.path(), &found->second, refusals);
}

const ReleaseItem* Release::Find(const std::u16string& key) const {
    auto found = items_.find(key);
    return found == items_.end() ? nullptr : &found->second;
}

std::uint64_t Release::FileBytes() const {
    std::uint64_t bytes = 0;
    for (const auto& [key, item] : items_) bytes += item.size;
    return bytes;
}

const Digest& Release::DigestOf(const ReleaseItem& file) const {
    std::u16string key = PathKey(file.path);
    auto found = digests_.find(key);
    if (found == digests_.end()) found = digests_.emplace(key, DigestOfFile(file.host)).first;
    return found->second;
}

bool Release::HasDigestOf(const ReleaseItem& file) const {
    return digests_.contains(PathKey(file.path));
}

// Two large files whose digests are both still to be made are read and digested at once, on
// two cores: digesting is most of a diff's time. Each release keeps its own digests, so the
// two never touch one map.
bool SameContents(const Release& a, const ReleaseItem& fileA, const Release& b,
                  const ReleaseItem& fileB) {
    if (fileA.size != fileB.size) return false;
    if (&a != &b && fileA.size >= kDigestInParallelSize && !a.HasDigestOf(fileA) &&
        !b.HasDigestOf(fileB)) {
        std::future<Digest> digestB =
            std::async(std::launch::async, [&b, &fileB] { return b.DigestOf(fileB); });
        Digest digestA = a.DigestOf(fileA);
        return digestA == digestB.get();
    }
    return a.DigestOf(fileA) == b.DigestOf(fileB);
}

}  // namespace Orvane::Author
