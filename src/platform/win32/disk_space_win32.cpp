// The free space of a volume: GetDiskFreeSpaceExA's bytes available to the caller, which
// already take the user's disk quota into account.
#include "platform/os.h"
#include "platform/win32/win32_api.h"

namespace Orvane::Os {

bool GetDiskFreeSpace(const std::string& folder, std::uint64_t* freeBytes) {
    if (folder.empty()) return false;  // the call would answer for the current folder
    // The call's answer for a file differs between Windows versions and Wine: refused here.
    DWORD attributes = ::GetFileAttributesA(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return false;
    }
    ULARGE_INTEGER available;
    if (::GetDiskFreeSpaceExA(folder.c_str(), &available, nullptr, nullptr) == FALSE) {
        return false;
    }
    *freeBytes = available.QuadPart;
    return true;
}

}  // namespace Orvane::Os
