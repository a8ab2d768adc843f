#include "platform/posix/open_elsewhere.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <charconv>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/posix/proc_files.h"

namespace Orvane::Os::Posix {
namespace {

constexpr char kOwnFolder[] = "/proc/self";
constexpr char kDescriptorsFolder[] = "fdinfo";
constexpr char kMounts[] = "mountinfo";
constexpr char kMappings[] = "maps";
constexpr std::string_view kMountKey = "mnt_id";
constexpr std::string_view kInodeKey = "ino";

// A file as the kernel names it: the device of its file system and its inode number.
struct FileIdentity {
    dev_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

// Splits off the next field of a line separated by spaces.
std::string_view NextField(std::string_view& line) {
    std::size_t start = line.find_first_not_of(' ');
    if (start == std::string_view::npos) return line = {};
    std::size_t end = line.find(' ', start);
    std::string_view field = line.substr(start, end - start);
    line = end == std::string_view::npos ? std::string_view() : line.substr(end);
    return field;
}

template <typename Number>
bool ParseNumber(std::string_view text, Number* number, int base = 10) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *number, base);
    return error == std::errc{} && end == text.data() + text.size();
}

// "major:minor" in the given base as a device number.
std::optional<dev_t> ParseDevice(std::string_view text, int base) {
    std::size_t colon = text.find(':');
    unsigned major = 0, minor = 0;
    if (colon == std::string_view::npos || !ParseNumber(text.substr(0, colon), &major, base) ||
        !ParseNumber(text.substr(colon + 1), &minor, base))
        return std::nullopt;
    return ::makedev(major, minor);
}

template <typename Visit>
bool AnyLine(std::string_view text, Visit visit) {
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (visit(text.substr(start, end - start))) return true;
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return false;
}

// The devices of mounts by their numbers, learnt from the processes' mountinfo as needed.
// Mount numbers are unique across mount namespaces, so one table serves every process.
class MountDevices {
public:
    std::optional<dev_t> Of(int processFolder, std::uint64_t mount) {
        if (auto known = devices_.find(mount); known != devices_.end()) return known->second;
        std::optional<std::string> mounts = ReadProcFile(processFolder, kMounts);
        if (!mounts) return std::nullopt;
        // "36 35 98:0 /root /mnt rw ..." — mount number, parent, device, ...
        AnyLine(*mounts, [&](std::string_view line) {
            std::uint64_t number = 0;
            if (!ParseNumber(NextField(line), &number)) return false;
            NextField(line);
            if (std::optional<dev_t> device = ParseDevice(NextField(line), 10))
                devices_[number] = *device;
            return false;
        });
        if (auto known = devices_.find(mount); known != devices_.end()) return known->second;
        return std::nullopt;
    }

private:
    std::map<std::uint64_t, dev_t> devices_;
};

// The file one descriptor holds, from its fdinfo text; nothing from a kernel that does not
// tell the inode there (before Linux 5.14).
std::optional<FileIdentity> HeldFile(int processFolder, std::string_view fdinfo,
                                     MountDevices& mounts) {
    std::optional<std::uint64_t> mount = FieldNumber(fdinfo, kMountKey);
    std::optional<std::uint64_t> inode = FieldNumber(fdinfo, kInodeKey);
    if (!mount || !inode) return std::nullopt;
    std::optional<dev_t> device = mounts.Of(processFolder, *mount);
    if (!device) return std::nullopt;
    return FileIdentity{*device, *inode};
}

// The file our own descriptor holds, named as /proc names the files of other processes; its
// stat() values where /proc cannot tell (the same on every ordinary file system).
FileIdentity OwnFile(int descriptor, MountDevices& mounts) {
    int self = OpenFolderAt(AT_FDCWD, kOwnFolder);
    std::optional<FileIdentity> identity;
    if (self >= 0) {
        std::string info = std::string(kDescriptorsFolder) + "/" + std::to_string(descriptor);
        if (std::optional<std::string> text = ReadProcFile(self, info.c_str()))
            identity = HeldFile(self, *text, mounts);
        ::close(self);
    }
    if (identity) return *identity;
    struct stat info;
    if (::fstat(descriptor, &info) != 0) return {};
    return {info.st_dev, info.st_ino};
}

// Reads /proc/PID/fdinfo/N for each descriptor: its mount and inode, never the file.
bool HoldsFile(int processFolder, const FileIdentity& file, MountDevices& mounts) {
    FolderReader descriptors(OpenFolderAt(processFolder, kDescriptorsFolder));
    if (!descriptors.IsOpen()) return false;  // gone meanwhile, or another user's
    while (const char* name = descriptors.Next()) {
        if (name[0] == '.') continue;
        std::optional<std::string> text = ReadProcFile(descriptors.Descriptor(), name);
        if (!text || FieldNumber(*text, kInodeKey) != file.inode) continue;
        if (HeldFile(processFolder, *text, mounts) == file) return true;
    }
    return false;
}

// A process that mapped the file and closed its descriptor still uses it; each line of
// /proc/PID/maps names the device (hexadecimal major:minor) and inode of what it maps:
// "7f00-7f10 r--s 00000000 fd:01 1234   /games/data.arc".
bool MapsFile(int processFolder, const FileIdentity& file) {
    std::optional<std::string> maps = ReadProcFile(processFolder, kMappings);
    return maps && AnyLine(*maps, [&](std::string_view line) {
               for (int skipped = 0; skipped < 3; ++skipped) NextField(line);
               std::optional<dev_t> device = ParseDevice(NextField(line), 16);
               std::uint64_t inode = 0;
               return device && ParseNumber(NextField(line), &inode) &&
                      FileIdentity{*device, inode} == file;
           });
}

}  // namespace

bool IsOpenByAnotherProcess(int descriptor) {
    MountDevices mounts;
    const FileIdentity file = OwnFile(descriptor, mounts);
    // Recognised by /proc/self, whatever PID namespace /proc belongs to.
    std::string self = OwnProcessName();
    if (self.empty()) self = std::to_string(::getpid());
    return AnyProcess([&](int processFolder, const char* name) {
        return self != name &&
               (HoldsFile(processFolder, file, mounts) || MapsFile(processFolder, file));
    });
}

}  // namespace Orvane::Os::Posix
