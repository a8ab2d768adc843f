// The Windows API for the patch program's user interface, and only for it.
//
// The program calls the A (ANSI) functions by name: its texts are code page 932 bytes. The
// macros that would rename functions of the platform layer (platform/os.h) are removed.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef STRICT
#define STRICT
#endif

#include <windows.h>
#include <commctrl.h>

#undef GetModuleFileName
