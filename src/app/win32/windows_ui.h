// The Windows API for the patch program's user interface, and only for it: the platform
// layer's view of <windows.h> (A functions called by name, the renaming macros removed) and
// the common controls.
#pragma once

#include "platform/win32/win32_api.h"

#include <commctrl.h>
