// Files and folders by name on Windows: attributes, lookup, full paths, temporary names and the
// copy, move, replace and delete operations, each one kernel32 (or imagehlp) call.
#include <algorithm>

#include "platform/os.h"
#include "platform/path_limit.h"
#include "platform/win32/file_time_win32.h"
#include "platform/win32/win32_api.h"

// After <windows.h>, which it builds on.
#include <imagehlp.h>

namespace Orvane::Os {
namespace {

// The platform's path limit, terminator included.
constexpr DWORD kPathBufferSize = MAX_PATH;
// GetTempFileNameA writes up to MAX_PATH characters and its terminator.
constexpr DWORD kTempNameBufferSize = MAX_PATH + 1;

FindData FindDataFrom(const WIN32_FIND_DATAA& entry) {
    FindData found;
    found.attributes = entry.dwFileAttributes;
    found.size = (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    found.created = Win32::FromFiletime(entry.ftCreationTime);
    found.lastAccess = Win32::FromFiletime(entry.ftLastAccessTime);
    found.lastWrite = Win32::FromFiletime(entry.ftLastWriteTime);
    found.name = entry.cFileName;
    return found;
}

}  // namespace

std::optional<std::uint32_t> GetFileAttributes(const std::string& path) {
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return attributes;
}

bool SetFileAttributes(const std::string& path, std::uint32_t attributes) {
    return ::SetFileAttributesA(path.c_str(), attributes) != FALSE;
}

namespace {

// '*' and '?', and the DOS forms '<', '>' and '"' that the search also takes as wildcards.
bool HasWildcard(const std::string& path) {
    return path.find_first_of("*?<>\"") != std::string::npos;
}

// Whether a plain name is surely missing, asked without opening a search: a search opens its
// folder and, on Wine, costs several calls to its server where the attribute query costs none.
// Only "not found" answers count; any other failure leaves the question to the search.
bool IsSurelyMissing(const std::string& path) {
    if (HasWildcard(path) || ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace

std::optional<FindData> FindFirstFile(const std::string& path) {
    if (IsSurelyMissing(path)) return std::nullopt;
    WIN32_FIND_DATAA entry;
    HANDLE search = ::FindFirstFileA(path.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    ::FindClose(search);
    return FindDataFrom(entry);
}

std::optional<std::string> GetFullPathName(const std::string& path) {
    char buffer[kPathBufferSize];
    DWORD length = ::GetFullPathNameA(path.c_str(), kPathBufferSize, buffer, nullptr);
    // A result of the buffer's size or more is the size the path would need.
    if (length == 0 || length >= kPathBufferSize) return std::nullopt;
    return std::string(buffer, length);
}

bool MakeSureDirectoryPathExists(const std::string& path) {
    // The call splits at backslashes only and silently ignores what follows a slash. A slash
    // byte is never part of a double-byte character in code page 932, so turning every slash
    // into a backslash changes no name.
    std::string backslashed = path;
    std::replace(backslashed.begin(), backslashed.end(), '/', '\\');
    return ::MakeSureDirectoryPathExists(backslashed.c_str()) != FALSE;
}

std::string GetTempFileName(const std::string& folder, const std::string& prefix) {
    // Windows refuses a folder beyond its documented limit; Wine does not, and then creates a
    // file under a name cut short to fit its buffer, or overruns the buffer. Refused here, the
    // call fails the same way on both.
    if (!FitsTempFileName(folder, prefix)) return {};
    char buffer[kTempNameBufferSize] = {};
    if (::GetTempFileNameA(folder.c_str(), prefix.c_str(), 0, buffer) == 0) return {};
    return buffer;
}

// A name of GetTempFileNameA's may as well be another program's, and the one mark that could
// tell ours (a named stream) exists only on NTFS: Wine writes it as a second file beside the
// first. So nothing is taken for a leftover here; an interrupted run's temporary file costs
// disk space, never a file of the player's.
void RemoveLeftoverTempFiles(const std::string&, const std::string&) {}

bool FlushFileToDisk(const std::string& path) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool flushed = ::FlushFileBuffers(file) != FALSE;
    ::CloseHandle(file);
    return flushed;
}

bool DeleteFile(const std::string& path) { return ::DeleteFileA(path.c_str()) != FALSE; }

namespace {

// Windows refuses to overwrite a read-only (or, for a copy, hidden) file; Wine running as root
// does not, so the refusal is made here before the call.
// The failures of a file that another process (a game, a virus scanner) holds for now; a
// file on another volume (ERROR_NOT_SAME_DEVICE) and the like never pass.
bool IsHeldElsewhere(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED;
}

bool RefusesOverwrite(const std::string& path, DWORD refusedAttributes) {
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & refusedAttributes)) return false;
    ::SetLastError(ERROR_ACCESS_DENIED);
    return true;
}

}  // namespace

bool CopyFile(const std::string& source, const std::string& destination, bool failIfExists) {
    if (RefusesOverwrite(destination, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN)) {
        return false;
    }
    return ::CopyFileA(source.c_str(), destination.c_str(), failIfExists ? TRUE : FALSE) != FALSE;
}

bool MoveFile(const std::string& source, const std::string& destination) {
    return ::MoveFileA(source.c_str(), destination.c_str()) != FALSE;
}

bool CanFlushFileSystems() { return false; }

bool FlushFileSystemsOf(const std::vector<std::string>&) { return false; }

// Each change of name is written through (MOVEFILE_WRITE_THROUGH): there is nothing to gather.
FolderFlushBatch::FolderFlushBatch() = default;
FolderFlushBatch::~FolderFlushBatch() = default;

bool MayTunnelCreationTimes() { return true; }

Placement PlaceNewFile(const std::string& source, const std::string& destination) {
    if (::MoveFileExA(source.c_str(), destination.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE) {
        return Placement::Placed;
    }
    DWORD error = ::GetLastError();
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? Placement::NameTaken
                                                                        : Placement::Failed;
}

// A destination that does not exist yet (a new file of the patch) is taken by a move that may
// not replace anything; only when that finds the name taken is the file there looked at, and
// then replaced. Looking first would cost Wine a search of the whole folder for a name that is
// not there, on every new file.
bool ReplaceFile(const std::string& source, const std::string& destination, bool* mayPass) {
    if (mayPass != nullptr) *mayPass = false;
    Placement placement = PlaceNewFile(source, destination);
    if (placement == Placement::Placed) return true;
    if (placement == Placement::Failed) {
        if (mayPass != nullptr) *mayPass = IsHeldElsewhere(::GetLastError());
        return false;
    }
    if (RefusesOverwrite(destination, FILE_ATTRIBUTE_READONLY)) return false;
    if (::MoveFileExA(source.c_str(), destination.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE)
        return true;
    if (mayPass != nullptr) *mayPass = IsHeldElsewhere(::GetLastError());
    return false;
}

}  // namespace Orvane::Os
