// The operating-system layer: everything the core needs from the platform, and nothing more.
//
// The core never includes <windows.h> or POSIX headers. Each function here has one Windows
// implementation (platform/win32, built on the named Win32 call) and one POSIX implementation
// (platform/posix) that gives the same observable behaviour on Linux.
//
// Conventions shared by every function:
// - Paths and texts are code page 932 (Shift-JIS) byte strings, as on Windows with ANSI code
//   page 932. In a path both '\' and '/' separate components. On POSIX a path is converted to
//   UTF-8 at this boundary, and a component that does not exist with its exact case is matched
//   case-insensitively against the entries of its folder.
// - A path of MAX_PATH (260) characters or more is refused, as the ANSI Windows calls refuse it;
//   the limit counts characters (UTF-16 units), not bytes (platform/path_limit.h).
// - Failure is reported by result (false, an empty value or kInvalidFile); nothing here throws
//   except std::bad_alloc.
// - Results that the Windows calls decide by the thread's last-error code (a size or position
//   whose low half is 0xFFFFFFFF) are already decided: true means the value is valid.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace Orvane::Os {

// ---- Files -------------------------------------------------------------------------------

// An open file; kInvalidFile when the open failed.
using FileHandle = std::intptr_t;
inline constexpr FileHandle kInvalidFile = -1;

// How a file is opened. The values are those of FileStream's open parameters.
enum class CreateMode : std::uint8_t {
    CreateAlways = 0,      // create, or truncate an existing file
    CreateNew = 1,         // create; fail if the file exists
    OpenExisting = 2,      // open; fail if missing
    OpenAlways = 3,        // open, or create when missing
    TruncateExisting = 4,  // open and truncate; fail if missing
};

struct OpenRequest {
    CreateMode mode = CreateMode::OpenExisting;
    bool read = false;
    bool write = false;
    std::uint32_t shareMode = 0;      // FILE_SHARE_READ 1 | FILE_SHARE_WRITE 2 | FILE_SHARE_DELETE 4
    bool inheritable = false;         // the handle is inherited by child processes
    std::uint32_t flagsAndAttributes = 0x80;  // FILE_ATTRIBUTE_NORMAL or FILE_FLAG_* bits
};

// Platform flag values that FileStream passes in OpenRequest::flagsAndAttributes.
inline constexpr std::uint32_t kAttributeNormal = 0x80;
inline constexpr std::uint32_t kAttributeEncrypted = 0x4000;
inline constexpr std::uint32_t kFlagDeleteOnClose = 0x04000000;
inline constexpr std::uint32_t kFlagRandomAccess = 0x10000000;
inline constexpr std::uint32_t kFlagSequentialScan = 0x08000000;
inline constexpr std::uint32_t kFlagWriteThrough = 0x80000000;

FileHandle OpenFile(const std::string& path, const OpenRequest& request);
// False when the system reports an error as it lets the file go: a file system that writes
// data out at close (NFS, FUSE) reports a failed write only here. The handle is gone either way.
bool CloseFile(FileHandle file);

// Reads up to count bytes at the current position; *bytesRead is what arrived (0 at the end).
bool ReadFile(FileHandle file, void* buffer, std::uint32_t count, std::uint32_t* bytesRead);
bool WriteFile(FileHandle file, const void* buffer, std::uint32_t count,
               std::uint32_t* bytesWritten);

enum class SeekOrigin : std::uint8_t { Begin = 0, Current = 1, End = 2 };

// Moves the position; a negative resulting position fails. Past the end is allowed.
bool SetFilePointer(FileHandle file, std::int64_t distance, SeekOrigin origin,
                    std::int64_t* newPosition);
bool GetFileSize(FileHandle file, std::int64_t* size);
// Cuts or extends the file to the current position.
bool SetEndOfFile(FileHandle file);
// Writes the open file's data and size through to the disk (fsync; FlushFileBuffers), as
// FlushFileToDisk does for a file by name, without opening it again.
bool FlushFile(FileHandle file);

// Copies count bytes of `from`, starting at fromOffset, to `to` at its position, which moves
// past them; the position of `from` is left alone. *copied tells how many arrived. Done when
// all did; Unsupported when the platform or the file system cannot copy inside the kernel (the
// caller copies the rest through memory; a source that ends early shows there); WriteFailed
// when the target could not take the bytes (the disk or the quota is full); Failed when
// reading failed, or it cannot be told which side did.
enum class RangeCopy : std::uint8_t { Done, Unsupported, Failed, WriteFailed };
RangeCopy CopyFileRange(FileHandle from, std::int64_t fromOffset, FileHandle to,
                        std::uint64_t count, std::uint64_t* copied);

// File times: UTC, 100-nanosecond units since 1601-01-01 (the platform's FILETIME).
using FileTime = std::uint64_t;

// Sets the times that are given; a creation time cannot be set on POSIX and is ignored there.
bool SetFileTime(FileHandle file, const FileTime* created, const FileTime* lastAccess,
                 const FileTime* lastWrite);

// ---- File system ---------------------------------------------------------------------------

// Attribute bits of the platform (FILE_ATTRIBUTE_*).
inline constexpr std::uint32_t kAttrReadOnly = 0x01;
inline constexpr std::uint32_t kAttrHidden = 0x02;
inline constexpr std::uint32_t kAttrSystem = 0x04;
inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrArchive = 0x20;

// The attributes of a file or folder, or nothing when it does not exist.
std::optional<std::uint32_t> GetFileAttributes(const std::string& path);
bool SetFileAttributes(const std::string& path, std::uint32_t attributes);

// The first directory entry matching path (wildcards allowed in the last component).
struct FindData {
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    FileTime created = 0;  // the last-write time where the file system keeps no creation time
    FileTime lastAccess = 0;
    FileTime lastWrite = 0;
    std::string name;  // the entry's name as found, code page 932
};
std::optional<FindData> FindFirstFile(const std::string& path);

// The absolute form of path, or nothing when it does not fit in 260 bytes.
std::optional<std::string> GetFullPathName(const std::string& path);

// Creates every missing folder along path up to its last backslash (or slash); makes nothing
// when the deepest of them would have MAX_PATH characters or more.
bool MakeSureDirectoryPathExists(const std::string& path);

// Creates a new empty file folder + up to three characters of prefix + hex digits + ".TMP",
// exclusively (never an existing file), marked as ours where the platform can (see
// RemoveLeftoverTempFiles), and returns its path; empty on failure, and without
// making anything when the folder exceeds 246 characters or the name could exceed 259 bytes.
// folder ends with a separator.
std::string GetTempFileName(const std::string& folder, const std::string& prefix);

// Removes what GetTempFileName made in folder with this prefix in a process that no longer
// runs: the leftovers of a run that was killed or lost its power. A file is taken for one only
// by a mark that GetTempFileName alone sets (on POSIX an extended attribute naming the
// process); a file that merely has such a name is never touched. Windows offers no mark that
// every file system keeps, so there this does nothing.
void RemoveLeftoverTempFiles(const std::string& folder, const std::string& prefix);

// Writes the file's data and size through to the disk (fsync; FlushFileBuffers), so that a
// swap that follows never names data a power loss took; false when the disk refused them.
bool FlushFileToDisk(const std::string& path);

// Whether FlushFileSystemsOf works here: on POSIX (syncfs); Windows has no such call for a
// program without administrator rights.
bool CanFlushFileSystems();
// Writes to the disk all that the file systems holding these files keep for it, once per file
// system: many files written one after the other reach the disk in one go, as a sync after
// cp -r. False when a file is gone or a file system refused.
bool FlushFileSystemsOf(const std::vector<std::string>& paths);

// The bytes that the calling user may still write on the file system holding folder, an
// existing folder (quotas and space kept for the administrator taken off); false when the
// folder is missing or is a file, or the system cannot tell.
bool GetDiskFreeSpace(const std::string& folder, std::uint64_t* freeBytes);

// Refuses read-only files and folders.
bool DeleteFile(const std::string& path);
// Copies contents over an existing destination unless that is read-only (or failIfExists).
bool CopyFile(const std::string& source, const std::string& destination, bool failIfExists);
// Renames source to destination, which must not exist.
bool MoveFile(const std::string& source, const std::string& destination);
// Replaces destination by source in one atomic step; refuses a read-only destination. Both
// must lie on one file system (put the source in the destination's folder). The change of
// name reaches the disk before this returns (MOVEFILE_WRITE_THROUGH; on POSIX an fsync of
// each folder whose entries changed, whose failure no longer undoes the swap and is not
// reported), or when the FolderFlushBatch that lives ends. On failure *mayPass (when given) tells whether trying again later can succeed:
// true when another process holds one of the files and may let it go, false for what no
// retry mends (another file system, a read-only destination, a missing source).
bool ReplaceFile(const std::string& source, const std::string& destination,
                 bool* mayPass = nullptr);

// While one lives, ReplaceFile leaves the folder flushes to it, and it flushes each folder
// once when it ends: a run that swaps thousands of files into one folder flushes that folder
// once, not once per file. A swap that a power loss takes before then leaves the old file in
// place, as if the swap had not been made; the files' data is flushed before each swap as
// always. Windows writes each change of name through and gathers nothing.
class FolderFlushBatch {
public:
    FolderFlushBatch();
    ~FolderFlushBatch();
    FolderFlushBatch(const FolderFlushBatch&) = delete;
    FolderFlushBatch& operator=(const FolderFlushBatch&) = delete;

private:
    bool gathers_ = false;  // false inside another batch, which flushes for both
};

// Whether a file that takes the name of one removed a moment before may be given that file's
// creation time (Windows' file-name tunnelling): true on Windows; POSIX has nothing of the kind.
bool MayTunnelCreationTimes();

// Renames source to destination when no file or folder has that name (compared as the
// platform compares names), as durably as ReplaceFile; NameTaken, with nothing changed, when
// one has. Both must lie on one file system.
enum class Placement : std::uint8_t { Placed, NameTaken, Failed };
Placement PlaceNewFile(const std::string& source, const std::string& destination);

// While one lives, WasMissingFromSnapshot answers from one listing of each folder it is asked
// about, read the first time, instead of looking the name up: on Wine a name that does not
// exist costs a read of its whole folder, so a run adding N files to one folder would read it
// N times. The answer is a guess, not a fact (another program may make the file after the
// listing): whoever acts on it puts the file in place with PlaceNewFile, which never replaces
// one, and looks the name up when that finds it taken. POSIX keeps listings for every lookup
// anyway (platform/posix/folder_listings.h): there nothing is guessed.
class FolderSnapshots {
public:
    FolderSnapshots();
    ~FolderSnapshots();
    FolderSnapshots(const FolderSnapshots&) = delete;
    FolderSnapshots& operator=(const FolderSnapshots&) = delete;

private:
    bool owns_ = false;  // false inside another, which keeps the listings for both
};

// Whether path's name was not in its folder's listing (see FolderSnapshots); false whenever
// that cannot be told: no snapshots live, the name is a pattern or has a form the platform
// rewrites, or the folder could not be listed.
bool WasMissingFromSnapshot(const std::string& path);

// ---- Time ----------------------------------------------------------------------------------

// A calendar date and time with milliseconds (the platform's SYSTEMTIME without weekday).
struct SystemTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
};

bool FileTimeToLocalFileTime(FileTime utc, FileTime* local);
bool LocalFileTimeToFileTime(FileTime local, FileTime* utc);
bool FileTimeToSystemTime(FileTime time, SystemTime* fields);
// Fails for fields outside their calendar ranges (month 1-12, a day the month has, ...).
bool SystemTimeToFileTime(const SystemTime& fields, FileTime* time);

// The C library's 64-bit mktime: -1 when the local time is not representable, that is before
// 1970-01-01 00:00:00 UTC or after 3000-12-31 23:59:59 UTC. Normalises *fields as mktime does.
std::int64_t MakeTime64(std::tm* fields);
// The C library's 64-bit localtime; false outside the same range.
bool LocalTime64(std::int64_t time, std::tm* fields);

// ---- Text ----------------------------------------------------------------------------------

// UTF-16 text (up to its first zero unit) to code page 932; '?' for what 932 cannot hold.
std::string WideToAnsi(const std::u16string& text);
// Code page 932 to UTF-16, invalid sequences as the platform converts them.
std::u16string AnsiToWide(const std::string& text);

// A name or path (code page 932) in the form in which the platform compares file names: UTF-16
// with the case of every letter folded, exactly as the platform finds a file whose name
// differs only in case (full-width, Greek and Cyrillic letters too, not only ASCII). Two names
// reach the same file exactly when their forms are equal. Separators are left as they are.
std::u16string FoldNameCase(const std::string& name);

// ---- Process -------------------------------------------------------------------------------

// Lets the thread wait; used between retries of a file that another process holds.
void SleepMilliseconds(std::uint32_t milliseconds);

// A loaded module (the program's own: nullptr).
using ModuleHandle = void*;

// The full path of the module's file, or nothing when it does not fit in 260 bytes.
std::optional<std::string> GetModuleFileName(ModuleHandle module);

// The module's version-information block and the offset of its fixed version record
// (VS_FIXEDFILEINFO) in it; false when the module has none or it carries no translation table.
// On POSIX the block is made from the build's project version.
bool LoadVersionInfo(ModuleHandle module, std::vector<std::uint8_t>* block,
                     std::size_t* fixedInfoOffset);

}  // namespace Orvane::Os
