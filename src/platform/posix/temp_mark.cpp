#include "platform/posix/temp_mark.h"

#include <signal.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>

namespace Orvane::Os::Posix {
namespace {

constexpr char kMarkName[] = "user.orvpatch.temporary";
// The value: this prefix, the creating process's number and the moment it started (clock
// ticks since boot; 0 where /proc does not tell), as "orvpatch:PID:START". The start tells a
// process from a later one under the same number, and a process of another PID namespace
// (where numbers mean other processes) from one of this namespace.
constexpr std::string_view kMarkPrefix = "orvpatch:";
constexpr std::size_t kLongestMark = 64;
// The start time is the 22nd field of /proc/PID/stat, the 20th after the command's ')'.
constexpr int kStartFieldAfterCommand = 20;

std::optional<std::uint64_t> StartOf(const std::string& process) {
    std::ifstream stat("/proc/" + process + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return std::nullopt;
    std::size_t commandEnd = line.rfind(')');
    if (commandEnd == std::string::npos) return std::nullopt;
    std::istringstream fields(line.substr(commandEnd + 1));
    std::string field;
    for (int i = 0; i < kStartFieldAfterCommand && fields >> field;) ++i;
    std::uint64_t start = 0;
    if (!fields || std::from_chars(field.data(), field.data() + field.size(), start).ec !=
                       std::errc{})
        return std::nullopt;
    return start;
}

template <typename Number>
bool TakeNumber(std::string_view& text, Number* number) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *number);
    if (error != std::errc{}) return false;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    return true;
}

bool IsRunning(pid_t process, std::uint64_t start) {
    std::optional<std::uint64_t> actual = StartOf(std::to_string(process));
    if (actual) return start == 0 || *actual == start;
    return ::kill(process, 0) == 0 || errno == EPERM;  // no /proc: the number alone
}

}  // namespace

bool MarkAsTemporary(int descriptor) {
    std::string value(kMarkPrefix);
    value += std::to_string(::getpid()) + ":" + std::to_string(StartOf("self").value_or(0));
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
    std::uint64_t start = 0;
    if (!TakeNumber(value, &creator) || creator <= 0 || !value.starts_with(':')) return false;
    value.remove_prefix(1);
    if (!TakeNumber(value, &start) || !value.empty()) return false;
    return !IsRunning(creator, start);
}

}  // namespace Orvane::Os::Posix
