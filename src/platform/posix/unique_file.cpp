#include "platform/posix/unique_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "platform/posix/host_file.h"
#include "platform/posix/temp_mark.h"

namespace Orvane::Os::Posix {
namespace {

constexpr unsigned kHighestNumber = 0xFFFF;
constexpr std::size_t kMostDigits = 4;

unsigned RandomStart() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    auto mixed = static_cast<std::uint32_t>(now.tv_nsec) ^
                 static_cast<std::uint32_t>(::getpid()) * 2654435761u;
    return (mixed >> 16) % kHighestNumber + 1;
}

std::string HexNumber(unsigned number) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%X", number);
    return digits;
}

// A file without a name, marked before it gets one: a run killed at any moment leaves either
// nothing or a marked file. -1 where the file system cannot make or mark such a file.
int OpenUnnamedMarked(const std::string& hostFolder) {
    std::string folder = hostFolder.empty() ? "." : hostFolder;
    int descriptor = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, kNewFileMode);
    if (descriptor >= 0 && !MarkAsTemporary(descriptor)) {
        ::close(descriptor);
        return -1;
    }
    return descriptor;
}

// Gives the unnamed file a name; fails with EEXIST when the name is taken. Linking through
// /proc needs no privilege; AT_EMPTY_PATH is the way where /proc is missing.
bool GiveName(int descriptor, const std::string& hostPath) {
    std::string self = "/proc/self/fd/" + std::to_string(descriptor);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, hostPath.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    if (errno != ENOENT) return false;
    return ::linkat(descriptor, "", AT_FDCWD, hostPath.c_str(), AT_EMPTY_PATH) == 0;
}

// An exclusively created named file, marked right after: the way of file systems that keep
// no unnamed files.
int CreateNamed(const std::string& hostPath) {
    int descriptor =
        ::open(hostPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
    if (descriptor >= 0) MarkAsTemporary(descriptor);
    return descriptor;
}

// Puts a new marked file under hostPath, the unnamed one while there is one; -1 with errno
// EEXIST when the name is taken.
int CreateAt(int& unnamed, const std::string& hostPath) {
    if (unnamed >= 0) {
        if (GiveName(unnamed, hostPath)) return std::exchange(unnamed, -1);
        if (errno == EEXIST) return -1;
        ::close(unnamed);  // it cannot get a name here: named files instead
        unnamed = -1;
    }
    return CreateNamed(hostPath);
}

// stem + 1 to 4 upper-case hexadecimal digits + suffix, as CreateUniqueFile names its files.
bool IsUniqueFileName(std::string_view name, std::string_view stem, std::string_view suffix) {
    if (name.size() <= stem.size() + suffix.size() || !name.starts_with(stem) ||
        !name.ends_with(suffix))
        return false;
    std::string_view digits = name.substr(stem.size(), name.size() - stem.size() - suffix.size());
    return digits.size() <= kMostDigits && std::all_of(digits.begin(), digits.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
           });
}

bool IsLeftover(const std::string& hostPath) {
    struct stat info;
    return ::lstat(hostPath.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           IsLeftoverTemporary(hostPath);
}

}  // namespace

std::optional<UniqueFile> CreateUniqueFile(const std::string& hostFolder, std::string_view stem,
                                           std::string_view suffix) {
    int unnamed = OpenUnnamedMarked(hostFolder);
    unsigned number = RandomStart();
    for (unsigned tries = 0; tries < kHighestNumber; ++tries) {
        UniqueFile file;
        file.number = HexNumber(number);
        file.hostPath = hostFolder;
        file.hostPath.append(stem).append(file.number).append(suffix);
        file.descriptor = CreateAt(unnamed, file.hostPath);
        if (file.descriptor >= 0) return file;
        if (errno != EEXIST) break;
        number = number % kHighestNumber + 1;
    }
    if (unnamed >= 0) ::close(unnamed);
    return std::nullopt;
}

void RemoveLeftoverUniqueFiles(const std::string& hostFolder, std::string_view stem,
                               std::string_view suffix) {
    DIR* folder = ::opendir(hostFolder.empty() ? "." : hostFolder.c_str());
    if (folder == nullptr) return;
    std::vector<std::string> leftovers;
    while (dirent* entry = ::readdir(folder)) {
        if (IsUniqueFileName(entry->d_name, stem, suffix))
            leftovers.push_back(hostFolder + entry->d_name);
    }
    ::closedir(folder);
    for (const std::string& path : leftovers) {
        if (IsLeftover(path)) ::unlink(path.c_str());
    }
}

}  // namespace Orvane::Os::Posix
