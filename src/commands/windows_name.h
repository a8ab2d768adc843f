// Names that a Windows file system can hold. A release prepared on Linux may hold names that
// no Windows folder can (a '?', a trailing dot, "NUL", a backslash inside a name); a patch that
// named them would fail on the player's machine or touch another file than meant.
#pragma once

#include <string>

namespace Orvane {

// Whether name (one component, code page 932) can name a file or folder on Windows. Refused:
// any of \ / : * ? " < > |, a control character (0x01-0x1F, and a zero byte), a trailing dot
// or space, and the device names CON, PRN, AUX, NUL, COM1-COM9 and LPT1-LPT9 in any case,
// alone or before an extension ("nul.txt", "Com1.tar.gz"). Bytes of double-byte characters
// are not taken for the characters they equal (ソ is 83 5C).
bool IsWindowsName(const std::string& name);

// Whether every component of path ('\' or '/' separators) is a Windows name. Empty components,
// "." and "..", which only move through folders, are left to the rule on climbing out
// (safe_path.h).
bool HasWindowsNames(const std::string& path);

}  // namespace Orvane
