#include "platform/win32/install_folder.h"

namespace Orvane::Win32 {
namespace {

constexpr DWORD kValueBufferSize = MAX_PATH;

std::string QueryInstallValue(HKEY key) {
    char buffer[kValueBufferSize] = {};
    DWORD type = 0;
    DWORD size = kValueBufferSize;
    LONG status = ::RegQueryValueExA(key, kInstallValueName, nullptr, &type,
                                     reinterpret_cast<BYTE*>(buffer), &size);
    if (status != ERROR_SUCCESS) return {};
    return InstallFolderFromValue(type, buffer, size);
}

}  // namespace

std::string InstallFolderFromValue(DWORD type, const char* data, DWORD size) {
    if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
    if (size == 0 || data[size - 1] != '\0') return {};
    return data;  // the text up to its first zero byte
}

std::string ReadInstallFolder(const std::string& registryKey) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, registryKey.c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        return {};
    }
    std::string folder = QueryInstallValue(key);
    ::RegCloseKey(key);
    return folder;
}

}  // namespace Orvane::Win32
