// Centring a dialog: on a reference window when that is visible and not minimised, otherwise on
// the work area of the dialog's own monitor; in either case kept inside the work area.
#pragma once

#include "app/win32/windows_ui.h"

namespace Orvane::Win32 {

// The top-left corner that centres a window of window's size on reference, moved to end at the
// work area's right (bottom) edge if it would reach beyond it, and then to start at its left
// (top) edge if it would start before it: a window larger than the work area keeps its left
// and top edges inside. Halves are integer halves, rounded toward zero.
POINT CenteredOrigin(const RECT& window, const RECT& reference, const RECT& workArea);

// Moves the dialog (no size, Z-order or activation change). reference null: the dialog's
// owner, or its parent when the dialog is a child window.
void CenterDialog(HWND dialog, HWND reference = nullptr);

}  // namespace Orvane::Win32
