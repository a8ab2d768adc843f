#include "platform/posix/open_elsewhere.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace Orvane::Os::Posix {
namespace {

constexpr const char* kProcessesFolder = "/proc";

// A folder read entry by entry, closed when it goes out of scope.
class FolderReader {
public:
    explicit FolderReader(int descriptor)
        : folder_(descriptor >= 0 ? ::fdopendir(descriptor) : nullptr) {
        if (descriptor >= 0 && folder_ == nullptr) ::close(descriptor);
    }
    ~FolderReader() {
        if (folder_ != nullptr) ::closedir(folder_);
    }
    FolderReader(const FolderReader&) = delete;
    FolderReader& operator=(const FolderReader&) = delete;

    bool IsOpen() const { return folder_ != nullptr; }
    int Descriptor() const { return ::dirfd(folder_); }
    // The next entry's name, or nullptr at the end.
    const char* Next() {
        dirent* entry = ::readdir(folder_);
        return entry == nullptr ? nullptr : entry->d_name;
    }

private:
    DIR* folder_;
};

int OpenFolderAt(int parent, const char* name) {
    return ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

bool IsProcessNumber(const char* name) {
    char* end = nullptr;
    long number = std::strtol(name, &end, 10);
    return number > 0 && *end == '\0';
}

// Each entry of /proc/PID/fd is a link to what the descriptor holds; stat follows it to the
// file itself, whatever name it was opened by.
bool HoldsFile(int processFolder, const struct stat& file) {
    FolderReader descriptors(OpenFolderAt(processFolder, "fd"));
    if (!descriptors.IsOpen()) return false;  // gone meanwhile, or another user's
    while (const char* name = descriptors.Next()) {
        struct stat held;
        if (::fstatat(descriptors.Descriptor(), name, &held, 0) == 0 &&
            held.st_dev == file.st_dev && held.st_ino == file.st_ino) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool IsOpenByAnotherProcess(const struct stat& file) {
    FolderReader processes(::open(kProcessesFolder, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!processes.IsOpen()) return false;
    const std::string self = std::to_string(::getpid());
    while (const char* name = processes.Next()) {
        if (!IsProcessNumber(name) || self == name) continue;
        int processFolder = OpenFolderAt(processes.Descriptor(), name);
        if (processFolder < 0) continue;
        bool holds = HoldsFile(processFolder, file);
        ::close(processFolder);
        if (holds) return true;
    }
    return false;
}

}  // namespace Orvane::Os::Posix
