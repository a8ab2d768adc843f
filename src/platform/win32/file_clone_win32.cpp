#include "platform/file_clone.h"

#include "platform/win32/win32_api.h"

namespace Orvane::Os {
namespace {

// An open source whose times and attributes the copy takes.
struct Source {
    HANDLE handle = INVALID_HANDLE_VALUE;
    BY_HANDLE_FILE_INFORMATION info{};
    ~Source() {
        if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
    }
};

bool OpenSource(const std::filesystem::path& path, Source& source) {
    source.handle = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return source.handle != INVALID_HANDLE_VALUE &&
           ::GetFileInformationByHandle(source.handle, &source.info);
}

}  // namespace

// Windows copies the times and attributes with the bytes; a block-sharing copy exists only on
// ReFS, and an ordinary copy is what every file system takes.
bool CloneFile(const std::filesystem::path& hostFrom, const std::filesystem::path& hostTo) {
    if (::CopyFileW(hostFrom.c_str(), hostTo.c_str(), TRUE)) return true;
    // What a failed copy left is removed; a file that was there before is not ours.
    DWORD error = ::GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) ::DeleteFileW(hostTo.c_str());
    return false;
}

bool MakeEmptyStandIn(const std::filesystem::path& hostFrom,
                      const std::filesystem::path& hostTo) {
    Source source;
    if (!OpenSource(hostFrom, source)) return false;
    // Made writable for the times; the attributes (read-only included) come last.
    HANDLE to = ::CreateFileW(hostTo.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (to == INVALID_HANDLE_VALUE) return false;
    bool made = ::SetFileTime(to, &source.info.ftCreationTime, &source.info.ftLastAccessTime,
                              &source.info.ftLastWriteTime);
    made = ::CloseHandle(to) && made &&
           ::SetFileAttributesW(hostTo.c_str(), source.info.dwFileAttributes);
    if (!made) ::DeleteFileW(hostTo.c_str());
    return made;
}

}  // namespace Orvane::Os
