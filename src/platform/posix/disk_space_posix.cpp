// The free space of a file system, from statvfs: the blocks an unprivileged user may still use
// (f_bavail, without those kept for root), in units of the fragment size.
#include <sys/stat.h>
#include <sys/statvfs.h>

#include <limits>

#include "platform/os.h"
#include "platform/path_limit.h"
#include "platform/posix/host_file.h"
#include "platform/posix/host_path.h"

namespace Orvane::Os {
namespace {

std::uint64_t SaturatingProduct(std::uint64_t a, std::uint64_t b) {
    if (a != 0 && b > std::numeric_limits<std::uint64_t>::max() / a) {
        return std::numeric_limits<std::uint64_t>::max();
    }
    return a * b;
}

}  // namespace

bool GetDiskFreeSpace(const std::string& folder, std::uint64_t* freeBytes) {
    if (folder.empty() || !FitsMaxPath(folder)) return false;
    std::string hostPath = Posix::HostPath(folder);
    // Windows asks about a folder only; statvfs would answer for a file as well.
    std::optional<struct stat> entry = Posix::StatPath(hostPath);
    if (!entry || !S_ISDIR(entry->st_mode)) return false;
    struct statvfs info;
    if (::statvfs(hostPath.c_str(), &info) != 0) return false;
    *freeBytes = SaturatingProduct(info.f_bavail, info.f_frsize);
    return true;
}

}  // namespace Orvane::Os
