#include "app/win32/dialog.h"

namespace Orvane::Win32 {

// The window is detached first: while it is destroyed, its messages must not reach an object
// whose derived parts are already gone.
Dialog::~Dialog() {
    if (window_ == nullptr || !::IsWindow(window_)) return;
    ::SetWindowLongPtrA(window_, DWLP_USER, 0);
    ::DestroyWindow(window_);
}

INT_PTR Dialog::RunModal(int templateId, HWND owner) {
    return ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner,
                             &Dialog::Procedure, reinterpret_cast<LPARAM>(this));
}

bool Dialog::CreateModeless(int templateId, HWND owner) {
    HWND window = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId),
                                       owner, &Dialog::Procedure, reinterpret_cast<LPARAM>(this));
    return window != nullptr;
}

void Dialog::End(INT_PTR result) { ::EndDialog(window_, result); }

// Ties the window and its object together when the dialog initialises.
Dialog* Dialog::Attach(HWND window, LPARAM creationParameter) {
    auto* dialog = reinterpret_cast<Dialog*>(creationParameter);
    ::SetWindowLongPtrA(window, DWLP_USER, creationParameter);
    dialog->window_ = window;
    return dialog;
}

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* dialog = message == WM_INITDIALOG
                         ? Attach(window, lParam)
                         : reinterpret_cast<Dialog*>(::GetWindowLongPtrA(window, DWLP_USER));
    if (dialog == nullptr) return FALSE;
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(window, DWLP_USER, 0);
        dialog->window_ = nullptr;
        return FALSE;
    }
    INT_PTR result = 0;
    if (!dialog->HandleMessage(message, wParam, lParam, &result)) return FALSE;
    if (message == WM_INITDIALOG) return result;
    ::SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace Orvane::Win32
