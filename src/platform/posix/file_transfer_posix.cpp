// Deleting, copying, moving and replacing files, with the refusals Windows makes: a read-only
// file is neither deleted nor written over (even by root), and a folder is not a file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <set>

#include "platform/os.h"
#include "platform/path_limit.h"
#include "platform/posix/host_file.h"
#include "platform/posix/host_path.h"
#include "platform/posix/temp_mark.h"
#include "platform/posix/unique_file.h"

namespace Orvane::Os {
namespace {

// A copy is written beside its destination under a hidden name, then renamed over it.
constexpr char kCopyStem[] = ".orvcopy-";
constexpr char kCopySuffix[] = ".tmp";

// Whether a file may be put where hostPath points: nothing there, or a file that is not
// read-only.
bool MayReplace(const std::string& hostPath) {
    std::optional<struct stat> existing = Posix::StatEntry(hostPath);
    return !existing || (!S_ISDIR(existing->st_mode) && !Posix::IsReadOnly(existing->st_mode));
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// rename() that fails when to exists, also where the file system lacks an atomic way to say so.
bool RenameNoReplace(const std::string& from, const std::string& to) {
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
#endif
    return !Posix::StatEntry(to) && ::rename(from.c_str(), to.c_str()) == 0;
}

bool CopyContents(int from, int to) {
    std::array<char, 64 * 1024> buffer;
    for (;;) {
        ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return got == 0;
        for (ssize_t put = 0; put < got;) {
            ssize_t written = ::write(to, buffer.data() + put, static_cast<std::size_t>(got - put));
            if (written < 0 && errno == EINTR) continue;
            if (written <= 0) return false;
            put += written;
        }
    }
}

// As Windows copies, the copy keeps the source's last-write time and read-only attribute;
// otherwise it has the permissions of any new file.
bool TakeOver(int copy, const struct stat& source) {
    const timespec times[2] = {{0, UTIME_NOW}, source.st_mtim};
    if (::futimens(copy, times) != 0) return false;
    if (!Posix::IsReadOnly(source.st_mode)) return true;
    struct stat made;
    return ::fstat(copy, &made) == 0 &&
           ::fchmod(copy, made.st_mode & 07777 & ~Posix::kAnyWrite) == 0;
}

// Writes the source's contents to a new sibling of destination; its host path, or nothing.
std::optional<std::string> WriteSibling(int source, const struct stat& info,
                                        const std::string& destination) {
    std::string folder(Posix::SplitAtLastSeparator(destination).folder);
    std::optional<Posix::UniqueFile> copy = Posix::CreateUniqueFile(folder, kCopyStem, kCopySuffix);
    if (!copy) return std::nullopt;
    bool written = CopyContents(source, copy->descriptor) && TakeOver(copy->descriptor, info);
    written = ::close(copy->descriptor) == 0 && written;
    if (written) return copy->hostPath;
    ::unlink(copy->hostPath.c_str());
    return std::nullopt;
}

bool CopyOpened(int source, const std::string& destination, bool failIfExists) {
    struct stat info;
    if (::fstat(source, &info) != 0 || S_ISDIR(info.st_mode)) return false;
    std::optional<struct stat> existing = Posix::StatEntry(destination);
    if (existing && (failIfExists || SameFile(*existing, info) || !MayReplace(destination)))
        return false;
    std::optional<std::string> copy = WriteSibling(source, info, destination);
    if (!copy) return false;
    bool placed = failIfExists ? RenameNoReplace(*copy, destination)
                               : ::rename(copy->c_str(), destination.c_str()) == 0;
    if (!placed) ::unlink(copy->c_str());
    if (placed) Posix::DropTemporaryMark(destination);
    return placed;
}

std::string FolderOf(const std::string& hostPath) {
    std::string::size_type slash = hostPath.rfind('/');
    return slash == std::string::npos ? "." : hostPath.substr(0, slash + 1);
}

// The folders whose flush a FolderFlushBatch has taken over; none while no batch lives.
std::set<std::string>* gatheredFolders = nullptr;

void SyncFolder(const std::string& folder) {
    if (gatheredFolders != nullptr) {
        gatheredFolders->insert(folder);
        return;
    }
    int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    ::fsync(descriptor);
    ::close(descriptor);
}

// Makes a rename durable: the folder that lost the name and the one that gained it, once
// each. Best effort: the change has happened and cannot be taken back, whatever the disk
// says now.
void SyncFoldersOfRename(const std::string& from, const std::string& to) {
    std::string fromFolder = FolderOf(from);
    std::string toFolder = FolderOf(to);
    SyncFolder(toFolder);
    std::optional<struct stat> a = Posix::StatPath(fromFolder);
    std::optional<struct stat> b = Posix::StatPath(toFolder);
    if (!a || !b || !SameFile(*a, *b)) SyncFolder(fromFolder);
}

}  // namespace

FolderFlushBatch::FolderFlushBatch() : gathers_(gatheredFolders == nullptr) {
    if (gathers_) gatheredFolders = new std::set<std::string>();
}

FolderFlushBatch::~FolderFlushBatch() {
    if (!gathers_) return;
    std::set<std::string>* folders = gatheredFolders;
    gatheredFolders = nullptr;
    for (const std::string& folder : *folders) SyncFolder(folder);
    delete folders;
}

bool CanFlushFileSystems() { return true; }

bool FlushFileSystemsOf(const std::vector<std::string>& paths) {
    std::set<dev_t> flushed;
    for (const std::string& path : paths) {
        if (!FitsMaxPath(path)) return false;
        int descriptor = ::open(Posix::HostPath(path).c_str(), O_RDONLY | O_CLOEXEC);
        if (descriptor < 0) return false;
        struct stat info;
        bool done = ::fstat(descriptor, &info) == 0 &&
                    (flushed.contains(info.st_dev) || ::syncfs(descriptor) == 0);
        ::close(descriptor);
        if (!done) return false;
        flushed.insert(info.st_dev);
    }
    return true;
}

bool FlushFileToDisk(const std::string& path) {
    if (!FitsMaxPath(path)) return false;
    int descriptor = ::open(Posix::HostPath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return false;
    bool flushed = ::fsync(descriptor) == 0;
    ::close(descriptor);
    return flushed;
}

bool DeleteFile(const std::string& path) {
    if (!FitsMaxPath(path)) return false;
    std::string hostPath = Posix::HostPath(path);
    std::optional<struct stat> info = Posix::StatEntry(hostPath);
    if (!info || S_ISDIR(info->st_mode) || Posix::IsReadOnly(info->st_mode)) return false;
    return ::unlink(hostPath.c_str()) == 0;
}

bool CopyFile(const std::string& source, const std::string& destination, bool failIfExists) {
    if (!FitsMaxPath(source) || !FitsMaxPath(destination)) return false;
    int descriptor = ::open(Posix::HostPath(source).c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return false;
    bool copied = CopyOpened(descriptor, Posix::HostPath(destination), failIfExists);
    ::close(descriptor);
    return copied;
}

bool MoveFile(const std::string& source, const std::string& destination) {
    if (!FitsMaxPath(source) || !FitsMaxPath(destination)) return false;
    std::string from = Posix::HostPath(source);
    std::string to = Posix::HostPath(destination);
    return !from.empty() && !to.empty() && RenameNoReplace(from, to);
}

bool MayTunnelCreationTimes() { return false; }

Placement PlaceNewFile(const std::string& source, const std::string& destination) {
    if (!FitsMaxPath(source) || !FitsMaxPath(destination)) return Placement::Failed;
    std::string from = Posix::HostPath(source);
    std::string to = Posix::HostPath(destination);
    if (from.empty() || to.empty()) return Placement::Failed;
    if (!RenameNoReplace(from, to)) {
        return Posix::StatEntry(to) ? Placement::NameTaken : Placement::Failed;
    }
    Posix::DropTemporaryMark(to);
    SyncFoldersOfRename(from, to);
    return Placement::Placed;
}

// Every lookup here already answers from a kept listing: nothing is guessed.
FolderSnapshots::FolderSnapshots() = default;
FolderSnapshots::~FolderSnapshots() = default;
bool WasMissingFromSnapshot(const std::string&) { return false; }

bool ReplaceFile(const std::string& source, const std::string& destination, bool* mayPass) {
    if (mayPass != nullptr) *mayPass = false;
    if (!FitsMaxPath(source) || !FitsMaxPath(destination)) return false;
    std::string from = Posix::HostPath(source);
    std::string to = Posix::HostPath(destination);
    std::optional<struct stat> replacement = Posix::StatEntry(from);
    if (!replacement || S_ISDIR(replacement->st_mode)) return false;
    if (!MayReplace(to)) {
        // A folder in the file's place may be taken away again; Windows, which cannot tell
        // it from a file held open, waits for it too. A read-only file stays read-only.
        std::optional<struct stat> existing = Posix::StatEntry(to);
        if (mayPass != nullptr) *mayPass = existing && S_ISDIR(existing->st_mode);
        return false;
    }
    if (::rename(from.c_str(), to.c_str()) != 0) {
        // Linux renames over files that others hold open; only a busy mount point waits.
        if (mayPass != nullptr) *mayPass = errno == EBUSY;
        return false;
    }
    Posix::DropTemporaryMark(to);
    SyncFoldersOfRename(from, to);
    return true;
}

}  // namespace Orvane::Os
