#include "platform/file_clone.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>

namespace Orvane::Os {
namespace {

constexpr std::size_t kPiece = 1 << 20;

// The bytes through the kernel; a file system that cannot copy between these two files in the
// kernel (EXDEV on older kernels, EINVAL, ENOSYS) gets them through a buffer.
bool CopyBytes(int from, int to, off_t size) {
    while (size > 0) {
        ssize_t copied = ::copy_file_range(from, nullptr, to, nullptr, kPiece, 0);
        if (copied <= 0) break;
        size -= copied;
    }
    char buffer[64 * 1024];
    while (size > 0) {
        ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got <= 0) return false;
        for (ssize_t put = 0; put < got;) {
            ssize_t wrote = ::write(to, buffer + put, static_cast<std::size_t>(got - put));
            if (wrote <= 0) return false;
            put += wrote;
        }
        size -= got;
    }
    return true;
}

bool TakeShape(int to, const struct stat& info) {
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    return ::fchmod(to, info.st_mode & 07777) == 0 && ::futimens(to, times) == 0;
}

bool CopyInto(int from, int to, const struct stat& info) {
    if (::ioctl(to, FICLONE, from) != 0 && !CopyBytes(from, to, info.st_size)) return false;
    return TakeShape(to, info);
}

// Makes hostTo from hostFrom with fill(from, to, hostFrom's status).
template <typename Fill>
bool MakeFrom(const std::filesystem::path& hostFrom, const std::filesystem::path& hostTo,
              Fill fill) {
    int from = ::open(hostFrom.c_str(), O_RDONLY | O_CLOEXEC);
    if (from < 0) return false;
    struct stat info;
    int to = ::fstat(from, &info) == 0
                 ? ::open(hostTo.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600)
                 : -1;
    bool made = to >= 0 && fill(from, to, info);
    if (to >= 0 && ::close(to) != 0) made = false;
    ::close(from);
    if (!made && to >= 0) ::unlink(hostTo.c_str());
    return made;
}

}  // namespace

bool CloneFile(const std::filesystem::path& hostFrom, const std::filesystem::path& hostTo) {
    return MakeFrom(hostFrom, hostTo, CopyInto);
}

bool MakeEmptyStandIn(const std::filesystem::path& hostFrom,
                      const std::filesystem::path& hostTo) {
    return MakeFrom(hostFrom, hostTo,
                    [](int, int to, const struct stat& info) { return TakeShape(to, info); });
}

}  // namespace Orvane::Os
