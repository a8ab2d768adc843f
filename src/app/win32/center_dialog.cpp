#include "app/win32/center_dialog.h"

namespace Orvane::Win32 {
namespace {

LONG CenteredStart(LONG referenceLow, LONG referenceHigh, LONG size, LONG areaLow,
                   LONG areaHigh) {
    LONG start = (referenceLow + referenceHigh) / 2 - size / 2;
    if (start + size > areaHigh) start = areaHigh - size;
    if (start < areaLow) start = areaLow;
    return start;
}

HWND DefaultReference(HWND dialog) {
    LONG style = ::GetWindowLongA(dialog, GWL_STYLE);
    return (style & WS_CHILD) != 0 ? ::GetParent(dialog) : ::GetWindow(dialog, GW_OWNER);
}

bool IsUsableReference(HWND reference) {
    if (reference == nullptr) return false;
    LONG style = ::GetWindowLongA(reference, GWL_STYLE);
    return (style & WS_VISIBLE) != 0 && (style & WS_MINIMIZE) == 0;
}

RECT WorkAreaNearest(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

}  // namespace

POINT CenteredOrigin(const RECT& window, const RECT& reference, const RECT& workArea) {
    LONG width = window.right - window.left;
    LONG height = window.bottom - window.top;
    return {CenteredStart(reference.left, reference.right, width, workArea.left, workArea.right),
            CenteredStart(reference.top, reference.bottom, height, workArea.top, workArea.bottom)};
}

void CenterDialog(HWND dialog, HWND reference) {
    if (reference == nullptr) reference = DefaultReference(dialog);
    RECT window{};
    ::GetWindowRect(dialog, &window);
    RECT area{};
    RECT target{};
    if (IsUsableReference(reference)) {
        area = WorkAreaNearest(reference);
        ::GetWindowRect(reference, &target);
    } else {
        area = WorkAreaNearest(dialog);
        target = area;
    }
    POINT origin = CenteredOrigin(window, target, area);
    ::SetWindowPos(dialog, nullptr, origin.x, origin.y, -1, -1,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace Orvane::Win32
