#include "platform/posix/temp_mark.h"

#include <signal.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <string_view>

namespace Orvane::Os::Posix {
namespace {

constexpr char kMarkName[] = "user.orvpatch.temporary";
// The value: this prefix, then the creating process's number in decimal.
constexpr std::string_view kMarkPrefix = "orvpatch:";
constexpr std::size_t kLongestMark = 64;

bool IsRunning(pid_t process) {
    return process == ::getpid() || ::kill(process, 0) == 0 || errno == EPERM;
}

}  // namespace

bool MarkAsTemporary(int descriptor) {
    std::string value(kMarkPrefix);
    value += std::to_string(::getpid());
    return ::fsetxattr(descriptor, kMarkName, value.data(), value.size(), 0) == 0;
}

void DropTemporaryMark(const std::string& hostPath) {
    ::lremovexattr(hostPath.c_str(), kMarkName);
}

bool IsLeftoverTemporary(const std::string& hostPath) {
    char buffer[kLongestMark];
    ssize_t size = ::lgetxattr(hostPath.c_str(), kMarkName, buffer, sizeof buffer);
    if (size <= 0) return false;
    std::string_view value(buffer, static_cast<std::size_t>(size));
    if (!value.starts_with(kMarkPrefix)) return false;
    value.remove_prefix(kMarkPrefix.size());
    pid_t creator = 0;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), creator);
    if (error != std::errc{} || end != value.data() + value.size() || creator <= 0) return false;
    return !IsRunning(creator);
}

}  // namespace Orvane::Os::Posix
