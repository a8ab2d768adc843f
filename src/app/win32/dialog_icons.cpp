#include "app/win32/dialog_icons.h"

namespace Orvane::Win32 {
namespace {

HICON LoadIconOfSize(int iconId, int widthMetric, int heightMetric) {
    return static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId),
                                           IMAGE_ICON, ::GetSystemMetrics(widthMetric),
                                           ::GetSystemMetrics(heightMetric), LR_DEFAULTCOLOR));
}

}  // namespace

void SetDialogIcons(HWND dialog, int iconId) {
    HICON bigIcon = LoadIconOfSize(iconId, SM_CXICON, SM_CYICON);
    ::SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
    HICON smallIcon = LoadIconOfSize(iconId, SM_CXSMICON, SM_CYSMICON);
    ::SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
}

}  // namespace Orvane::Win32
