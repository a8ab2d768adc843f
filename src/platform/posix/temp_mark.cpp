#include "platform/posix/temp_mark.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/posix/proc_files.h"

namespace Orvane::Os::Posix {
namespace {

constexpr char kMarkName[] = "user.orvpatch.temporary";
// The value: "orvpatch/2 BOOT HOST PIDNS PID START", fields separated by one space:
//   BOOT   the kernel's boot id (a new one at every boot), "-" where unknown;
//   HOST   the machine's id (/etc/machine-id), else its host name, "-" where unknown;
//   PIDNS  the inode of the creator's PID namespace, 0 where unknown;
//   PID    the creator's number in that namespace;
//   START  the moment it started (clock ticks since boot, 0 where unknown), which tells it
//          from a later process under the same number.
constexpr std::string_view kMarkPrefix = "orvpatch/2 ";
// What earlier versions wrote: "orvpatch:PID:START", with no word of namespace or machine.
constexpr std::string_view kOldMarkPrefix = "orvpatch:";
constexpr std::size_t kLongestMark = 256;
constexpr char kUnknown[] = "-";
constexpr char kBootIdFile[] = "/proc/sys/kernel/random/boot_id";
constexpr char kMachineIdFile[] = "/etc/machine-id";
constexpr char kOwnPidNamespace[] = "/proc/self/ns/pid";
// The start time is the 22nd field of /proc/PID/stat, the 20th after the command's ')'.
constexpr int kStartFieldAfterCommand = 20;
constexpr std::size_t kLongestHostName = 255;
// The inode the kernel gives the first PID namespace, the one that sees every process.
constexpr std::uint64_t kInitialPidNamespace = 0xEFFFFFFC;
constexpr char kPidNamespaceLink[] = "ns/pid";
constexpr char kStatus[] = "status";
// The line of /proc/PID/status giving the process's number in each namespace, ours first.
constexpr std::string_view kNumbersKey = "NSpid:";

struct Mark {
    std::string boot;
    std::string host;
    std::uint64_t pidNamespace = 0;
    pid_t process = 0;
    std::uint64_t start = 0;
};

std::string_view TakeField(std::string_view& text) {
    std::size_t end = text.find(' ');
    std::string_view field = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    return field;
}

template <typename Number>
bool ParseNumber(std::string_view text, Number* number) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *number);
    return error == std::errc{} && end == text.data() + text.size() && !text.empty();
}

// The first line of a small file, or "-".
std::string FirstLine(const char* path) {
    std::optional<std::string> text = ReadProcFile(AT_FDCWD, path);
    if (!text) return kUnknown;
    std::string line = text->substr(0, text->find('\n'));
    return line.empty() || line.find(' ') != std::string::npos ? kUnknown : line;
}

const std::string& BootId() {
    static const std::string boot = FirstLine(kBootIdFile);
    return boot;
}

const std::string& HostId() {
    static const std::string host = [] {
        std::string id = FirstLine(kMachineIdFile);
        if (id != kUnknown) return id;
        char name[kLongestHostName + 1] = {};
        if (::gethostname(name, kLongestHostName) != 0 || name[0] == '\0') return id;
        std::string_view text(name);
        return text.find(' ') == std::string_view::npos ? std::string(text) : id;
    }();
    return host;
}

std::uint64_t OwnPidNamespace() {
    struct stat info;
    return ::stat(kOwnPidNamespace, &info) == 0 ? info.st_ino : 0;
}

std::optional<std::uint64_t> StartOf(const std::string& process) {
    std::optional<std::string> line = ReadProcFile(AT_FDCWD, ("/proc/" + process + "/stat").c_str());
    if (!line) return std::nullopt;
    std::size_t commandEnd = line->rfind(')');
    if (commandEnd == std::string::npos) return std::nullopt;
    std::string_view fields = std::string_view(*line).substr(commandEnd + 2);
    for (int i = 1; i < kStartFieldAfterCommand; ++i) TakeField(fields);
    std::uint64_t start = 0;
    if (!ParseNumber(TakeField(fields), &start)) return std::nullopt;
    return start;
}

// Whether /proc shows the processes of our own PID namespace under their numbers there.
bool ProcIsOurs() { return OwnProcessName() == std::to_string(::getpid()); }

// Whether a process of our own PID namespace still runs.
bool IsRunning(pid_t process, std::uint64_t start) {
    if (ProcIsOurs()) {
        if (std::optional<std::uint64_t> actual = StartOf(std::to_string(process)))
            return start == 0 || *actual == start;
    }
    return ::kill(process, 0) == 0 || errno != ESRCH;  // the number alone
}

// A process's numbers, from its NSpid line: one for each PID namespace it belongs to, from
// that of /proc down to its own. Empty where the kernel does not say.
std::vector<pid_t> NumbersOf(int processFolder) {
    std::vector<pid_t> numbers;
    std::optional<std::string> status = ReadProcFile(processFolder, kStatus);
    std::size_t line = status ? status->find(kNumbersKey) : std::string::npos;
    if (line == std::string::npos) return numbers;
    std::string_view rest = std::string_view(*status).substr(line + kNumbersKey.size());
    rest = rest.substr(0, rest.find('\n'));
    while (!rest.empty()) {
        std::size_t start = rest.find_first_not_of(" \t");
        if (start == std::string_view::npos) break;
        rest.remove_prefix(start);
        std::size_t end = std::min(rest.find_first_of(" \t"), rest.size());
        pid_t number = 0;
        if (!ParseNumber(rest.substr(0, end), &number)) return {};
        numbers.push_back(number);
        rest.remove_prefix(end);
    }
    return numbers;
}

// Whether a process of another PID namespace may still run. Only from the first PID
// namespace, whose /proc shows every process of the machine, can it be told that none of
// them is the maker. A process of a nested namespace (more than one number) whose namespace
// cannot be read (another user's, for all but root) leaves the answer open, and so yes.
bool MayRunInOtherNamespace(const Mark& mark) {
    if (OwnPidNamespace() != kInitialPidNamespace || !ProcIsOurs()) return true;
    return AnyProcess([&](int processFolder, const char* name) {
        std::vector<pid_t> numbers = NumbersOf(processFolder);
        if (numbers.size() == 1) return false;  // one of the first namespace's own
        // No numbers: ended meanwhile, or a kernel that does not say (then anyone's).
        if (numbers.empty()) return ::faccessat(processFolder, kStatus, F_OK, 0) == 0;
        struct stat space;
        if (::fstatat(processFolder, kPidNamespaceLink, &space, 0) != 0)
            return errno != ENOENT && errno != ESRCH;  // ended meanwhile: not the maker
        return space.st_ino == mark.pidNamespace && numbers.back() == mark.process &&
               (mark.start == 0 || StartOf(name) == mark.start);
    });
}

// Whether the file has not changed since this boot began: its maker, if on this machine,
// ran in an earlier boot.
bool UnchangedSinceBoot(const std::string& hostPath) {
    struct stat info;
    timespec now{}, sinceBoot{};
    if (::lstat(hostPath.c_str(), &info) != 0 || ::clock_gettime(CLOCK_REALTIME, &now) != 0 ||
        ::clock_gettime(CLOCK_BOOTTIME, &sinceBoot) != 0)
        return false;
    return info.st_ctim.tv_sec < now.tv_sec - sinceBoot.tv_sec;
}

std::optional<Mark> ParseMark(std::string_view value) {
    Mark mark;
    mark.boot = TakeField(value);
    mark.host = TakeField(value);
    if (mark.boot.empty() || mark.host.empty() || !ParseNumber(TakeField(value), &mark.pidNamespace) ||
        !ParseNumber(TakeField(value), &mark.process) || mark.process <= 0 ||
        !ParseNumber(TakeField(value), &mark.start) || !value.empty())
        return std::nullopt;
    return mark;
}

bool IsProvablyGone(const Mark& mark, const std::string& hostPath) {
    if (mark.boot == kUnknown || mark.host == kUnknown) return false;
    if (mark.boot != BootId()) return mark.host == HostId() && UnchangedSinceBoot(hostPath);
    std::uint64_t ownNamespace = OwnPidNamespace();
    if (ownNamespace == 0 || mark.pidNamespace == 0) return false;
    if (mark.pidNamespace != ownNamespace) return !MayRunInOtherNamespace(mark);
    return !IsRunning(mark.process, mark.start);
}

// The mark of this process, made once: who it is does not change while it runs (a forked
// child, a process of its own, makes its own).
const std::string& OwnMark() {
    static pid_t madeFor = 0;
    static std::string value;
    pid_t process = ::getpid();
    if (process != madeFor) {
        value = std::string(kMarkPrefix) + BootId() + " " + HostId() + " " +
                std::to_string(OwnPidNamespace()) + " " + std::to_string(process) + " " +
                std::to_string(StartOf("self").value_or(0));
        madeFor = process;
    }
    return value;
}

}  // namespace

bool MarkAsTemporary(int descriptor) {
    const std::string& value = OwnMark();
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
    if (value.starts_with(kMarkPrefix)) {
        std::optional<Mark> mark = ParseMark(value.substr(kMarkPrefix.size()));
        return mark && IsProvablyGone(*mark, hostPath);
    }
    // An old mark names a process without its namespace or machine: only a file untouched
    // since before this boot is surely a leftover.
    return value.starts_with(kOldMarkPrefix) && UnchangedSinceBoot(hostPath);
}

}  // namespace Orvane::Os::Posix
