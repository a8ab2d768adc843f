// The Windows API for the win32 platform files, and only for them.
//
// <windows.h> maps many function names to their A or W variant with macros (GetFileAttributes,
// DeleteFile, CopyFile, ...). The platform interface uses several of those names for its own
// functions, so the macros are removed here; the win32 files call the A variants by name.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif

#include <windows.h>

#undef CopyFile
#undef DeleteFile
#undef FindFirstFile
#undef GetDiskFreeSpace
#undef GetFileAttributes
#undef GetFullPathName
#undef GetModuleFileName
#undef GetTempFileName
#undef MoveFile
#undef ReplaceFile
#undef SetFileAttributes
