#include "platform/posix/folder_listings.h"

#include <dirent.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <mutex>
#include <unordered_map>

#include "platform/posix/name_match.h"

namespace Orvane::Os::Posix {
namespace {

// File systems whose every change is made through this kernel and reported to inotify.
constexpr long kLocalFileSystems[] = {
    0xEF53,      // ext2, ext3, ext4
    0x58465342,  // xfs
    0x9123683E,  // btrfs
    0x01021994,  // tmpfs
    0xF2F52010,  // f2fs
};
constexpr std::uint32_t kChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                   IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
constexpr std::uint32_t kFolderGone = IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT;
constexpr std::size_t kEventBuffer = 64 * 1024;

using NamesByFolding = std::unordered_map<std::u32string, std::vector<std::string>>;

bool IsLocal(const std::string& folder) {
    struct statfs info;
    return ::statfs(folder.c_str(), &info) == 0 &&
           std::find(std::begin(kLocalFileSystems), std::end(kLocalFileSystems),
                     static_cast<long>(info.f_type)) != std::end(kLocalFileSystems);
}

std::optional<NamesByFolding> ReadFolder(const std::string& folder) {
    DIR* directory = ::opendir(folder.c_str());
    if (directory == nullptr) return std::nullopt;
    NamesByFolding names;
    while (const dirent* entry = ::readdir(directory)) {
        std::string_view name = entry->d_name;
        if (name != "." && name != "..") names[FoldedName(name)].emplace_back(name);
    }
    ::closedir(directory);
    return names;
}

class Listings {
public:
    ~Listings() {
        if (events_ >= 0) ::close(events_);
    }

    std::optional<std::vector<std::string>> CaseVariants(const std::string& folder,
                                                         std::string_view name,
                                                         bool takeChanges) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (takeChanges) {
            // A forked child shares the event queue: what it took, the parent would miss.
            owned_ = owner_ == ::getpid();
            if (owned_) TakeEvents();
        }
        if (!owned_) return std::nullopt;
        auto kept = byFolder_.find(folder);
        if (kept == byFolder_.end() && !Learn(folder)) return std::nullopt;
        kept = byFolder_.find(folder);
        auto variants = kept->second.names.find(FoldedName(name));
        if (variants == kept->second.names.end()) return std::vector<std::string>();
        return variants->second;
    }

private:
    struct Listing {
        int watch = -1;
        NamesByFolding names;
    };

    bool Learn(const std::string& folder) {
        if (events_ < 0) events_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (events_ < 0 || !IsLocal(folder)) return false;
        int watch = ::inotify_add_watch(events_, folder.c_str(), kChanges);
        if (watch < 0) return false;
        // Another name of a folder already kept (a link): keep one name only.
        if (byWatch_.count(watch) != 0) return false;
        std::optional<NamesByFolding> names = ReadFolder(folder);
        if (!names) {
            ::inotify_rm_watch(events_, watch);
            return false;
        }
        byWatch_[watch] = folder;
        byFolder_[folder] = Listing{watch, std::move(*names)};
        return true;
    }

    void Forget(int watch) {
        auto folder = byWatch_.find(watch);
        if (folder == byWatch_.end()) return;
        byFolder_.erase(folder->second);
        byWatch_.erase(folder);
        ::inotify_rm_watch(events_, watch);
    }

    void ForgetAll() {
        while (!byWatch_.empty()) Forget(byWatch_.begin()->first);
    }

    void Apply(const inotify_event& event) {
        if (event.mask & IN_Q_OVERFLOW) return ForgetAll();
        if (event.mask & kFolderGone) return Forget(event.wd);
        auto folder = byWatch_.find(event.wd);
        if (folder == byWatch_.end() || event.len == 0) return;
        std::string name(event.name);
        std::vector<std::string>& variants = byFolder_[folder->second].names[FoldedName(name)];
        std::erase(variants, name);
        if (event.mask & (IN_CREATE | IN_MOVED_TO)) variants.push_back(name);
    }

    void TakeEvents() {
        if (events_ < 0 || byWatch_.empty()) return;
        alignas(inotify_event) char buffer[kEventBuffer];
        for (;;) {
            ssize_t got = ::read(events_, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) return;  // EAGAIN: every queued event taken
            for (char* at = buffer; at < buffer + got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                Apply(*event);
                at += sizeof(inotify_event) + event->len;
            }
        }
    }

    std::mutex mutex_;
    const pid_t owner_ = ::getpid();
    bool owned_ = true;  // as of the last time the changes were taken in
    int events_ = -1;
    std::map<std::string, Listing> byFolder_;
    std::map<int, std::string> byWatch_;
};

}  // namespace

std::optional<std::vector<std::string>> KeptCaseVariants(const std::string& folder,
                                                         std::string_view name,
                                                         bool takeChanges) {
    static Listings listings;
    return listings.CaseVariants(folder, name, takeChanges);
}

}  // namespace Orvane::Os::Posix
