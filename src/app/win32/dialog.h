// The least of a dialog framework that the patch program needs: modal and modeless dialogs made
// from dialog templates in the program's resources, each class with a message map of its own.
//
//   class CMyDlg : public DialogImpl<CMyDlg> {
//       friend class DialogImpl<CMyDlg>;
//       static const MessageEntry<CMyDlg> kMessageMap[];   // defined in the .cpp
//       INT_PTR OnInitDialog(WPARAM, LPARAM);
//       INT_PTR OnOk(WPARAM, LPARAM);
//   };
//   const MessageEntry<CMyDlg> CMyDlg::kMessageMap[] = {
//       {WM_INITDIALOG, kAnyControl, &CMyDlg::OnInitDialog},
//       {WM_COMMAND, IDOK, &CMyDlg::OnOk},
//       {0, 0, nullptr},                                     // the end of the map
//   };
//
// The window finds its object through the dialog's user data, set from the creation parameter
// when the dialog initialises; messages that arrive before that, and messages that the map does
// not name, get the default dialog processing. A handled WM_INITDIALOG returns the handler's
// result directly (true: let the system set the focus); any other handled message returns true
// with the handler's result as the message's result.
#pragma once

#include "app/win32/windows_ui.h"

namespace Orvane::Win32 {

inline constexpr int kAnyControl = -1;

class Dialog {
public:
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    // Destroys a modeless window that still exists.
    virtual ~Dialog();

    // The dialog's window; null before it is created and after it is destroyed.
    HWND Window() const { return window_; }

protected:
    Dialog() = default;

    // Runs the dialog from the template modally; the value given to End(), or -1 when the
    // dialog cannot be created.
    INT_PTR RunModal(int templateId, HWND owner);
    // Creates the dialog from the template without waiting; false when it cannot be created.
    bool CreateModeless(int templateId, HWND owner);
    // Ends a modal dialog with the given result.
    void End(INT_PTR result);

    // The class's message map: true when it handled the message, with its result.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) = 0;

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static Dialog* Attach(HWND window, LPARAM creationParameter);

    HWND window_ = nullptr;
};

// One handler of a message map: a message, for WM_COMMAND the control ID (kAnyControl: every
// control), and the member function that handles it.
template <class D>
struct MessageEntry {
    UINT message;
    int controlId;
    INT_PTR (D::*handler)(WPARAM wParam, LPARAM lParam);
};

// Looks messages up in D::kMessageMap, which ends with an entry whose handler is null.
template <class D>
class DialogImpl : public Dialog {
protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override {
        for (const MessageEntry<D>* entry = D::kMessageMap; entry->handler; ++entry) {
            if (Matches(*entry, message, wParam)) {
                *result = (static_cast<D*>(this)->*entry->handler)(wParam, lParam);
                return true;
            }
        }
        return false;
    }

private:
    static bool Matches(const MessageEntry<D>& entry, UINT message, WPARAM wParam) {
        if (entry.message != message) return false;
        return message != WM_COMMAND || entry.controlId == kAnyControl ||
               entry.controlId == LOWORD(wParam);
    }
};

}  // namespace Orvane::Win32
