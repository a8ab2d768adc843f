// The game's installation folder as the game records it: the string value Install under a key
// of HKEY_CURRENT_USER. Read only; the program never writes the registry.
#pragma once

#include <string>

#include "platform/win32/win32_api.h"

namespace Orvane::Win32 {

inline constexpr char kInstallValueName[] = "Install";

// The value's text, or empty when the key or the value is missing, or the value is not usable
// (see InstallFolderFromValue); a value of more than 260 bytes is not read at all.
std::string ReadInstallFolder(const std::string& registryKey);

// The folder that a value of this type with these `size` bytes gives: its text when it is a
// string (REG_SZ, or REG_EXPAND_SZ taken as stored, without expanding environment
// references) ending in a zero byte; empty when it is no string, has no bytes or its last
// byte is not zero.
std::string InstallFolderFromValue(DWORD type, const char* data, DWORD size);

}  // namespace Orvane::Win32
