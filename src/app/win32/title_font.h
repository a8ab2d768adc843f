// The larger font in which the main dialog shows the patch title.
#pragma once

#include "app/win32/windows_ui.h"

namespace Orvane::Win32 {

// Gives the control the dialog's font with a character height of 14 pixels. The font is made
// once per call and lives as long as the process.
void EnlargeControlFont(HWND dialog, int controlId);

}  // namespace Orvane::Win32
