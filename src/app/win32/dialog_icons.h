// A dialog's title-bar and task-switcher icons, taken from the program's icon resources.
#pragma once

#include "app/win32/windows_ui.h"

namespace Orvane::Win32 {

// Loads the icon at the system's large and small icon sizes and sets them as the dialog's big
// and small icon. An icon the resources do not hold leaves the dialog without one.
void SetDialogIcons(HWND dialog, int iconId);

}  // namespace Orvane::Win32
