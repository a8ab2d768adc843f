// Drains the thread's message queue without waiting: how the patch run, which works inside the
// Run button's handler, keeps every window of the program responsive.
#pragma once

#include "app/win32/windows_ui.h"

namespace Orvane::Win32 {

// Dispatches every message waiting for any window of the thread; only `dialog` (which may be
// null) gets dialog keyboard handling (Tab, Enter, Esc). Returns when the queue is empty.
void PumpMessages(HWND dialog);

}  // namespace Orvane::Win32
