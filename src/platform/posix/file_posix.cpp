// Open files: a handle is an OpenedFile record holding the descriptor and what Windows would
// remember about the handle (its access, and the path to delete when it closes).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

#include "platform/os.h"
#include "platform/path_limit.h"
#include "platform/posix/host_file.h"
#include "platform/posix/host_path.h"
#include "platform/posix/open_elsewhere.h"
#include "platform/posix/write_behind.h"

namespace Orvane::Os {
namespace {

struct OpenedFile {
    int descriptor = -1;
    bool canRead = false;
    bool canWrite = false;
    std::string deleteOnClose;  // host path unlinked at close; empty when not asked for
    // Set for a file written front to back (opened to write with the sequential hint).
    std::optional<Posix::WriteBehind> writeBehind;
};

void NoteWritten(OpenedFile* opened, std::uint64_t bytes) {
    if (opened->writeBehind) opened->writeBehind->Written(opened->descriptor, bytes);
}

OpenedFile* Opened(FileHandle file) {
    return file == kInvalidFile ? nullptr : reinterpret_cast<OpenedFile*>(file);
}

// The open flags of a creation disposition; nothing for a mode FileStream never passes.
std::optional<int> CreationFlags(CreateMode mode) {
    switch (mode) {
        case CreateMode::CreateAlways: return O_CREAT;
        case CreateMode::CreateNew: return O_CREAT | O_EXCL;
        case CreateMode::OpenExisting: return 0;
        case CreateMode::OpenAlways: return O_CREAT;
        case CreateMode::TruncateExisting: return 0;
    }
    return std::nullopt;
}

bool Truncates(CreateMode mode) {
    return mode == CreateMode::CreateAlways || mode == CreateMode::TruncateExisting;
}

int AccessFlags(const OpenRequest& request) {
    if (request.read && request.write) return O_RDWR;
    return request.write ? O_WRONLY : O_RDONLY;
}

int OptionFlags(const OpenRequest& request) {
    int flags = request.inheritable ? 0 : O_CLOEXEC;
    if (request.flagsAndAttributes & kFlagWriteThrough) flags |= O_SYNC;
    return flags;
}

// open(), telling whether the file was made by it: "create unless present" opens a present
// file first (the usual case: a temporary file made empty beforehand), then creates one
// exclusively, so a file that existed before is known and can be refused.
int OpenDescriptor(const std::string& hostPath, int flags, bool* created) {
    *created = false;
    if ((flags & O_CREAT) == 0 || (flags & O_EXCL) != 0) {
        int descriptor = ::open(hostPath.c_str(), flags, Posix::kNewFileMode);
        *created = descriptor >= 0 && (flags & O_EXCL) != 0;
        return descriptor;
    }
    constexpr int kAttempts = 3;  // the file may come and go between the two opens
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        int descriptor = ::open(hostPath.c_str(), flags & ~O_CREAT);
        if (descriptor >= 0 || errno != ENOENT) return descriptor;
        descriptor = ::open(hostPath.c_str(), flags | O_EXCL, Posix::kNewFileMode);
        if (descriptor >= 0) {
            *created = true;
            return descriptor;
        }
        if (errno != EEXIST) return -1;
    }
    return -1;
}

// An open that shares nothing fails on Windows while another process holds the file, as a
// running game holds its archives. Looked for only where the file's content is kept (an open
// that empties it leaves a reader nothing to lose), because looking walks over every
// process's open files.
bool SharingViolation(int descriptor, const OpenRequest& request) {
    return request.shareMode == 0 && !Truncates(request.mode) &&
           Posix::IsOpenByAnotherProcess(descriptor);
}

// What Windows refuses of a file that is already there: a folder, and a read-only file that
// the open would write, truncate or delete.
bool MayOpen(int descriptor, const struct stat& info, const OpenRequest& request) {
    if (S_ISDIR(info.st_mode)) return false;
    bool changes = request.write || Truncates(request.mode) ||
                   (request.flagsAndAttributes & kFlagDeleteOnClose);
    return !(changes && Posix::IsReadOnly(info.st_mode)) &&
           !SharingViolation(descriptor, request);
}

// An empty file is left alone: cutting it changes nothing, yet makes ext4 write the file's
// data out when it is closed (its guard for files rewritten in place), which costs a fresh
// temporary archive a disk write of its whole size.
bool Truncate(int descriptor, const struct stat& info, const std::string& hostPath,
              bool canWrite) {
    if (info.st_size == 0) return true;
    return canWrite ? ::ftruncate(descriptor, 0) == 0 : ::truncate(hostPath.c_str(), 0) == 0;
}

void AdviseAccessPattern(int descriptor, std::uint32_t flags) {
    if (flags & kFlagSequentialScan) ::posix_fadvise(descriptor, 0, 0, POSIX_FADV_SEQUENTIAL);
    if (flags & kFlagRandomAccess) ::posix_fadvise(descriptor, 0, 0, POSIX_FADV_RANDOM);
}

// Unlinks the path of a delete-on-close file unless it now names another file (it was
// renamed away; Windows deletes the file, not the name).
void DeleteIfStillThere(int descriptor, const std::string& hostPath) {
    struct stat opened;
    std::optional<struct stat> named = Posix::StatEntry(hostPath);
    if (::fstat(descriptor, &opened) == 0 && named && named->st_dev == opened.st_dev &&
        named->st_ino == opened.st_ino) {
        ::unlink(hostPath.c_str());
    }
}

// At most this much per call, so that the write-behind of the target keeps pace.
constexpr std::uint64_t kMaxRangeCopy = Posix::WriteBehind::kStep;

// The file system or the kernel cannot copy between these two files itself.
bool IsUnsupportedCopy(int error) {
    return error == ENOSYS || error == EXDEV || error == EOPNOTSUPP || error == EINVAL ||
           error == EBADF || error == ETXTBSY;
}

// Errors that only the target of a copy can cause.
bool IsWriteFailure(int error) {
    return error == ENOSPC || error == EDQUOT || error == EFBIG;
}

int Whence(SeekOrigin origin) {
    switch (origin) {
        case SeekOrigin::Begin: return SEEK_SET;
        case SeekOrigin::Current: return SEEK_CUR;
        case SeekOrigin::End: return SEEK_END;
    }
    return -1;
}

timespec TimeToSet(const FileTime* time) {
    constexpr FileTime kKeep = ~FileTime{0};  // Windows: keep the current time
    timespec result{0, UTIME_OMIT};
    if (time != nullptr && *time != 0 && *time != kKeep && !Posix::TimespecFrom(*time, &result)) {
        result = {0, UTIME_OMIT};
    }
    return result;
}

}  // namespace

FileHandle OpenFile(const std::string& path, const OpenRequest& request) {
    std::optional<int> creation = CreationFlags(request.mode);
    // Windows truncates only through a handle that may write.
    if (!creation || (request.mode == CreateMode::TruncateExisting && !request.write) ||
        !FitsMaxPath(path))
        return kInvalidFile;
    std::string hostPath = Posix::HostPath(path);
    if (hostPath.empty()) return kInvalidFile;
    bool created = false;
    int descriptor =
        OpenDescriptor(hostPath, AccessFlags(request) | *creation | OptionFlags(request), &created);
    if (descriptor < 0) return kInvalidFile;
    struct stat info;
    bool usable =
        ::fstat(descriptor, &info) == 0 && (created || MayOpen(descriptor, info, request)) &&
        (created || !Truncates(request.mode) ||
         Truncate(descriptor, info, hostPath, request.write));
    if (!usable) {
        ::close(descriptor);
        return kInvalidFile;
    }
    AdviseAccessPattern(descriptor, request.flagsAndAttributes);
    auto* opened = new OpenedFile{descriptor, request.read, request.write, {}};
    if (request.flagsAndAttributes & kFlagDeleteOnClose)
        opened->deleteOnClose = std::move(hostPath);
    if (request.write && (request.flagsAndAttributes & kFlagSequentialScan))
        opened->writeBehind.emplace();
    return reinterpret_cast<FileHandle>(opened);
}

bool CloseFile(FileHandle file) {
    OpenedFile* opened = Opened(file);
    if (opened == nullptr) return false;
    if (!opened->deleteOnClose.empty())
        DeleteIfStillThere(opened->descriptor, opened->deleteOnClose);
    // Linux releases the descriptor even when close() fails; it is never closed twice.
    bool closed = ::close(opened->descriptor) == 0;
    delete opened;
    return closed;
}

bool ReadFile(FileHandle file, void* buffer, std::uint32_t count, std::uint32_t* bytesRead) {
    OpenedFile* opened = Opened(file);
    if (bytesRead != nullptr) *bytesRead = 0;
    if (opened == nullptr || !opened->canRead) return false;
    std::uint32_t total = 0;
    while (total < count) {
        ssize_t got = ::read(opened->descriptor, static_cast<char*>(buffer) + total, count - total);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) break;
        total += static_cast<std::uint32_t>(got);
    }
    if (bytesRead != nullptr) *bytesRead = total;
    return true;
}

bool WriteFile(FileHandle file, const void* buffer, std::uint32_t count,
               std::uint32_t* bytesWritten) {
    OpenedFile* opened = Opened(file);
    if (bytesWritten != nullptr) *bytesWritten = 0;
    if (opened == nullptr || !opened->canWrite) return false;
    std::uint32_t total = 0;
    while (total < count) {
        ssize_t put =
            ::write(opened->descriptor, static_cast<const char*>(buffer) + total, count - total);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) break;
        total += static_cast<std::uint32_t>(put);
    }
    if (bytesWritten != nullptr) *bytesWritten = total;
    NoteWritten(opened, total);
    return total == count;
}

bool SetFilePointer(FileHandle file, std::int64_t distance, SeekOrigin origin,
                    std::int64_t* newPosition) {
    OpenedFile* opened = Opened(file);
    int whence = Whence(origin);
    if (opened == nullptr || whence < 0) return false;
    off_t position = ::lseek(opened->descriptor, static_cast<off_t>(distance), whence);
    if (position < 0) return false;
    if (newPosition != nullptr) *newPosition = position;
    return true;
}

bool GetFileSize(FileHandle file, std::int64_t* size) {
    OpenedFile* opened = Opened(file);
    struct stat info;
    if (opened == nullptr || ::fstat(opened->descriptor, &info) != 0) return false;
    if (size != nullptr) *size = info.st_size;
    return true;
}

bool SetEndOfFile(FileHandle file) {
    OpenedFile* opened = Opened(file);
    if (opened == nullptr || !opened->canWrite) return false;
    off_t position = ::lseek(opened->descriptor, 0, SEEK_CUR);
    return position >= 0 && ::ftruncate(opened->descriptor, position) == 0;
}

bool FlushFile(FileHandle file) {
    OpenedFile* opened = Opened(file);
    return opened != nullptr && ::fsync(opened->descriptor) == 0;
}

RangeCopy CopyFileRange(FileHandle from, std::int64_t fromOffset, FileHandle to,
                        std::uint64_t count, std::uint64_t* copied) {
    OpenedFile* source = Opened(from);
    OpenedFile* target = Opened(to);
    *copied = 0;
    if (source == nullptr || target == nullptr || !source->canRead || !target->canWrite) {
        return RangeCopy::Failed;
    }
    loff_t offset = fromOffset;
    while (*copied < count) {
        std::size_t chunk = static_cast<std::size_t>(std::min<std::uint64_t>(count - *copied, kMaxRangeCopy));
        ssize_t moved = ::copy_file_range(source->descriptor, &offset, target->descriptor, nullptr, chunk, 0);
        if (moved < 0 && errno == EINTR) continue;
        if (moved < 0 && IsUnsupportedCopy(errno)) return RangeCopy::Unsupported;
        if (moved < 0) return IsWriteFailure(errno) ? RangeCopy::WriteFailed : RangeCopy::Failed;
        // Nothing moved: the source ends here, or a file system that only pretends to copy.
        // Copying through memory tells which.
        if (moved == 0) return RangeCopy::Unsupported;
        *copied += static_cast<std::uint64_t>(moved);
        NoteWritten(target, static_cast<std::uint64_t>(moved));
    }
    return RangeCopy::Done;
}

bool SetFileTime(FileHandle file, const FileTime* /*created: not settable here*/,
                 const FileTime* lastAccess, const FileTime* lastWrite) {
    OpenedFile* opened = Opened(file);
    // Windows sets times only through a handle that may write.
    if (opened == nullptr || !opened->canWrite) return false;
    const timespec times[2] = {TimeToSet(lastAccess), TimeToSet(lastWrite)};
    return ::futimens(opened->descriptor, times) == 0;
}

}  // namespace Orvane::Os
