#include "app/win32/progress_dlg.h"

#include "app/win32/center_dialog.h"
#include "app/win32/dialog_icons.h"
#include "app/win32/message_pump.h"
#include "app/win32/resource_ids.h"

namespace Orvane {
namespace {

// The progress dialog sets its icons from resource 129, which the program does not hold: the
// dialog shows no icon of its own.
constexpr int kProgressIconId = 129;

}  // namespace

const Win32::MessageEntry<CProgressDlg> CProgressDlg::kMessageMap[] = {
    {WM_INITDIALOG, Win32::kAnyControl, &CProgressDlg::OnInitDialog},
    {WM_COMMAND, IDCANCEL, &CProgressDlg::OnCancel},
    {0, 0, nullptr},
};

LPARAM ProgressRangeParam(std::int32_t low, std::int32_t high) {
    auto bits = (static_cast<std::uint32_t>(high) << 16) | (static_cast<std::uint32_t>(low) & 0xFFFF);
    return static_cast<LPARAM>(bits);
}

bool CProgressDlg::Create(HWND owner) { return CreateModeless(IDD_PROGRESS, owner); }

void CProgressDlg::Show(int command) {
    if (Window() != nullptr) ::ShowWindow(Window(), command);
}

void CProgressDlg::PumpMessages() { Win32::PumpMessages(Window()); }

void CProgressDlg::ShowText(const std::string& text) {
    ::SetWindowTextA(::GetDlgItem(Window(), IDC_PROGRESS_TEXT), text.c_str());
}

void CProgressDlg::ShowRange(std::int32_t low, std::int32_t high) {
    ::SendMessageA(::GetDlgItem(Window(), IDC_PROGRESS_BAR), PBM_SETRANGE, 0,
                   ProgressRangeParam(low, high));
}

void CProgressDlg::ShowPos(std::int32_t position) {
    ::SendMessageA(::GetDlgItem(Window(), IDC_PROGRESS_BAR), PBM_SETPOS,
                   static_cast<WPARAM>(position), 0);
}

INT_PTR CProgressDlg::OnInitDialog(WPARAM, LPARAM) {
    Win32::SetDialogIcons(Window(), kProgressIconId);
    ResetRemembered();
    Win32::CenterDialog(Window(), ::GetParent(Window()));
    return TRUE;
}

INT_PTR CProgressDlg::OnCancel(WPARAM, LPARAM) {
    RequestCancel();
    return 0;
}

}  // namespace Orvane
