// Attributes, finding a file, full paths, folder chains and temporary file names.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <set>

#include "platform/os.h"
#include "platform/path_limit.h"
#include "platform/posix/cp932.h"
#include "platform/posix/host_file.h"
#include "platform/posix/host_path.h"
#include "platform/posix/name_match.h"
#include "platform/posix/unique_file.h"

namespace Orvane::Os {
namespace {

constexpr char kTempSuffix[] = ".TMP";
constexpr char kHostSeparator = '/';

// Windows lists these first in every folder but a root.
constexpr std::string_view kFolderItself = ".";
constexpr std::string_view kFolderAbove = "..";

struct EntryTimes {
    FileTime created = 0;
    FileTime lastAccess = 0;
    FileTime lastWrite = 0;
};

// The times of an entry, with its creation time where the file system keeps one.
std::optional<EntryTimes> ReadTimes(const std::string& hostPath, struct stat* info) {
    if (::stat(hostPath.c_str(), info) != 0) return std::nullopt;
    EntryTimes times{Posix::FileTimeFrom(info->st_mtim), Posix::FileTimeFrom(info->st_atim),
                     Posix::FileTimeFrom(info->st_mtim)};
#ifdef STATX_BTIME
    struct statx extended;
    if (::statx(AT_FDCWD, hostPath.c_str(), 0, STATX_BTIME, &extended) == 0 &&
        (extended.stx_mask & STATX_BTIME) != 0) {
        times.created =
            Posix::FileTimeFrom(timespec{extended.stx_btime.tv_sec, extended.stx_btime.tv_nsec});
    }
#endif
    return times;
}

std::optional<FindData> Describe(const std::string& hostPath, std::string_view name) {
    struct stat info;
    std::optional<EntryTimes> times = ReadTimes(hostPath, &info);
    if (!times) return std::nullopt;
    FindData found;
    found.attributes = Posix::AttributesOf(info.st_mode);
    found.size = S_ISDIR(info.st_mode) ? 0 : static_cast<std::uint64_t>(info.st_size);
    found.created = times->created;
    found.lastAccess = times->lastAccess;
    found.lastWrite = times->lastWrite;
    found.name = Posix::Utf8ToCp932(name);
    return found;
}

// The entries a pattern is matched against: "." and ".." first as on Windows, then by name
// (a stable order close to the one NTFS lists in).
std::vector<std::string> Candidates(const std::string& hostFolder) {
    std::vector<std::string> names =
        Posix::HostDisk().Entries(hostFolder.empty() ? std::string(kFolderItself) : hostFolder);
    std::sort(names.begin(), names.end());
    if (hostFolder != std::string(1, kHostSeparator)) {
        names.insert(names.begin(), {std::string(kFolderItself), std::string(kFolderAbove)});
    }
    return names;
}

std::optional<FindData> FindMatch(std::string_view hostFolder, std::string_view pattern) {
    std::string folder = Posix::ResolveHostPath(hostFolder);
    for (const std::string& name : Candidates(folder)) {
        if (Posix::MatchesWildcard(pattern, name)) return Describe(folder + name, name);
    }
    return std::nullopt;
}

std::optional<std::string> CurrentFolder() {
    std::string folder(PATH_MAX, '\0');
    while (::getcwd(folder.data(), folder.size()) == nullptr) {
        if (errno != ERANGE) return std::nullopt;
        folder.resize(folder.size() * 2);
    }
    folder.resize(folder.find('\0'));
    return folder;
}

bool MakeFolder(const std::string& hostPath) {
    std::optional<struct stat> info = Posix::StatPath(hostPath);
    if (info) return S_ISDIR(info->st_mode);
    if (::mkdir(hostPath.c_str(), Posix::kNewFolderMode) == 0) return true;
    info = Posix::StatPath(hostPath);  // made by someone else meanwhile
    return errno == EEXIST && info && S_ISDIR(info->st_mode);
}

// The first count characters of a code page 932 text (a double-byte character is one).
std::string LeadingCharacters(const std::string& text, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t taken = 0; taken < count && end < text.size() && text[end] != '\0'; ++taken) {
        bool pair =
            Posix::IsCp932LeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size();
        end += pair ? 2 : 1;
    }
    return text.substr(0, end);
}

}  // namespace

std::optional<std::uint32_t> GetFileAttributes(const std::string& path) {
    if (!FitsMaxPath(path)) return std::nullopt;
    std::optional<struct stat> info = Posix::StatPath(Posix::HostPath(path));
    if (!info) return std::nullopt;
    return Posix::AttributesOf(info->st_mode);
}

bool SetFileAttributes(const std::string& path, std::uint32_t attributes) {
    if (!FitsMaxPath(path)) return false;
    std::string hostPath = Posix::HostPath(path);
    std::optional<struct stat> info = Posix::StatPath(hostPath);
    if (!info) return false;
    // A read-only folder on Windows still takes new files; only files carry the flag here.
    if (S_ISDIR(info->st_mode)) return true;
    mode_t permissions = info->st_mode & 07777;
    mode_t wanted =
        (attributes & kAttrReadOnly) ? permissions & ~Posix::kAnyWrite : permissions | S_IWUSR;
    return wanted == permissions || ::chmod(hostPath.c_str(), wanted) == 0;
}

std::optional<FindData> FindFirstFile(const std::string& path) {
    if (!FitsMaxPath(path)) return std::nullopt;
    std::string hostPath = Posix::ToHostSyntax(path);
    auto [folder, name] = Posix::SplitAtLastSeparator(hostPath);
    if (name.empty()) return std::nullopt;  // "folder/" names no entry, as on Windows
    if (Posix::HasWildcard(name)) return FindMatch(folder, name);
    std::string resolved = Posix::ResolveHostPath(hostPath);
    return Describe(resolved, Posix::SplitAtLastSeparator(resolved).name);
}

std::optional<std::string> GetFullPathName(const std::string& path) {
    if (!FitsMaxPath(path)) return std::nullopt;
    std::string hostPath = Posix::ToHostSyntax(path);
    if (hostPath.empty()) return std::nullopt;
    // The current folder only for a relative path: an absolute one needs no call.
    std::optional<std::string> current =
        hostPath.front() == '/' ? std::optional<std::string>("/") : CurrentFolder();
    if (!current) return std::nullopt;
    std::string full = Posix::Utf8ToCp932(Posix::AbsoluteHostPath(hostPath, *current));
    if (full.size() >= kMaxPath) return std::nullopt;
    return full;
}

bool MakeSureDirectoryPathExists(const std::string& path) {
    std::string hostPath = Posix::ToHostSyntax(path);
    std::string_view folder = Posix::SplitAtLastSeparator(hostPath).folder;
    if (folder.empty()) return true;
    // Windows makes each folder with its own call, so the limit is the deepest folder's: what
    // follows the last separator is never looked at.
    if (!FitsMaxPath(Posix::Utf8ToCp932(folder.substr(0, folder.size() - 1)))) return false;
    std::string resolved = Posix::ResolveHostPath(folder);
    for (std::size_t end = resolved.find(kHostSeparator, 1); end != std::string::npos;
         end = resolved.find(kHostSeparator, end + 1)) {
        if (!MakeFolder(resolved.substr(0, end))) return false;
    }
    return true;
}

// A folder is swept once per process and prefix: leftovers are made by processes that have
// ended, and sweeping walks the whole folder, which a run that makes a temporary file for each
// of thousands of files in one folder cannot afford each time. A folder is known as the caller
// spells it, so that one swept before costs no look at the disk; another spelling of it is
// swept once more, to no harm.
void RemoveLeftoverTempFiles(const std::string& folder, const std::string& prefix) {
    static std::set<std::string> swept;
    if (!FitsMaxPath(folder)) return;
    std::string stem = LeadingCharacters(prefix, kTempPrefixCharacters);
    if (!swept.insert(folder + '\0' + stem).second) return;
    std::string hostFolder = Posix::HostPath(folder);
    if (!hostFolder.empty() && hostFolder.back() != kHostSeparator) hostFolder += kHostSeparator;
    Posix::RemoveLeftoverUniqueFiles(hostFolder, Posix::Cp932ToUtf8(stem), kTempSuffix);
}

std::string GetTempFileName(const std::string& folder, const std::string& prefix) {
    if (!FitsTempFileName(folder, prefix)) return {};
    std::string hostFolder = Posix::HostPath(folder);
    bool needsSeparator = !hostFolder.empty() && hostFolder.back() != kHostSeparator;
    if (needsSeparator) hostFolder += kHostSeparator;
    std::string stem = LeadingCharacters(prefix, kTempPrefixCharacters);
    std::optional<Posix::UniqueFile> file =
        Posix::CreateUniqueFile(hostFolder, Posix::Cp932ToUtf8(stem), kTempSuffix);
    if (!file) return {};
    ::close(file->descriptor);
    std::string name = folder;
    if (needsSeparator) name += kHostSeparator;
    return name + stem + file->number + kTempSuffix;
}

}  // namespace Orvane::Os
