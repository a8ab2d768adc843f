// Open files on Windows: one kernel32 call per operation, the handle kept as an integer.
#include <iterator>

#include "platform/os.h"
#include "platform/win32/file_time_win32.h"
#include "platform/win32/win32_api.h"

namespace Orvane::Os {
namespace {

// Indexed by CreateMode and SeekOrigin.
constexpr DWORD kDispositions[] = {CREATE_ALWAYS, CREATE_NEW, OPEN_EXISTING, OPEN_ALWAYS,
                                   TRUNCATE_EXISTING};
constexpr DWORD kMoveMethods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};

HANDLE AsHandle(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

// ReadFile, WriteFile and SetEndOfFile report failure with 0, SetFilePointer and GetFileSize
// with 0xFFFFFFFF. Such a report is a failure only when the call left a last-error code, which
// the caller cleared right before the call: a position or size whose low half is 0xFFFFFFFF is
// a valid result.
bool CountsAsFailure(bool reported) { return reported && ::GetLastError() != 0; }

DWORD DesiredAccess(const OpenRequest& request) {
    DWORD access = 0;
    if (request.read) access |= GENERIC_READ;
    if (request.write) access |= GENERIC_WRITE;
    return access;
}

std::int64_t Join(DWORD low, DWORD high) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low);
}

// A time to pass to the platform (kept in storage), or none when the caller gave none.
const FILETIME* Given(const FileTime* time, FILETIME* storage) {
    if (time == nullptr) return nullptr;
    *storage = Win32::ToFiletime(*time);
    return storage;
}

}  // namespace

FileHandle OpenFile(const std::string& path, const OpenRequest& request) {
    auto mode = static_cast<std::size_t>(request.mode);
    if (mode >= std::size(kDispositions)) return kInvalidFile;
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE handle = ::CreateFileA(path.c_str(), DesiredAccess(request), request.shareMode,
                                  request.inheritable ? &inheritable : nullptr,
                                  kDispositions[mode], request.flagsAndAttributes, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return kInvalidFile;
    return reinterpret_cast<FileHandle>(handle);
}

bool CloseFile(FileHandle file) {
    return file != kInvalidFile && ::CloseHandle(AsHandle(file)) != FALSE;
}

bool ReadFile(FileHandle file, void* buffer, std::uint32_t count, std::uint32_t* bytesRead) {
    DWORD got = 0;
    ::SetLastError(0);
    BOOL ok = ::ReadFile(AsHandle(file), buffer, count, &got, nullptr);
    if (bytesRead != nullptr) *bytesRead = got;
    return !CountsAsFailure(ok == FALSE);
}

bool WriteFile(FileHandle file, const void* buffer, std::uint32_t count,
               std::uint32_t* bytesWritten) {
    DWORD written = 0;
    ::SetLastError(0);
    BOOL ok = ::WriteFile(AsHandle(file), buffer, count, &written, nullptr);
    if (bytesWritten != nullptr) *bytesWritten = written;
    return !CountsAsFailure(ok == FALSE);
}

bool SetFilePointer(FileHandle file, std::int64_t distance, SeekOrigin origin,
                    std::int64_t* newPosition) {
    auto method = static_cast<std::size_t>(origin);
    if (method >= std::size(kMoveMethods)) return false;
    auto low = static_cast<LONG>(static_cast<DWORD>(distance));
    auto high = static_cast<LONG>(distance >> 32);
    ::SetLastError(0);
    DWORD position = ::SetFilePointer(AsHandle(file), low, &high, kMoveMethods[method]);
    if (CountsAsFailure(position == INVALID_SET_FILE_POINTER)) return false;
    if (newPosition != nullptr) *newPosition = Join(position, static_cast<DWORD>(high));
    return true;
}

bool GetFileSize(FileHandle file, std::int64_t* size) {
    DWORD high = 0;
    ::SetLastError(0);
    DWORD low = ::GetFileSize(AsHandle(file), &high);
    if (CountsAsFailure(low == INVALID_FILE_SIZE)) return false;
    *size = Join(low, high);
    return true;
}

bool SetEndOfFile(FileHandle file) {
    ::SetLastError(0);
    return !CountsAsFailure(::SetEndOfFile(AsHandle(file)) == FALSE);
}

bool FlushFile(FileHandle file) { return ::FlushFileBuffers(AsHandle(file)) != FALSE; }

// Windows has no kernel copy between two open handles: the caller copies through memory.
RangeCopy CopyFileRange(FileHandle, std::int64_t, FileHandle, std::uint64_t,
                        std::uint64_t* copied) {
    *copied = 0;
    return RangeCopy::Unsupported;
}

bool SetFileTime(FileHandle file, const FileTime* created, const FileTime* lastAccess,
                 const FileTime* lastWrite) {
    FILETIME creation, access, write;
    return ::SetFileTime(AsHandle(file), Given(created, &creation), Given(lastAccess, &access),
                         Given(lastWrite, &write)) != FALSE;
}

}  // namespace Orvane::Os
