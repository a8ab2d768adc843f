#include "window_texts.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace Orvane::E2e {
namespace {

// Dialogs and message boxes are windows of the dialog class.
constexpr char kDialogClass[] = "#32770";
constexpr int kTextBufferSize = 4096;

HWND FindDialog(const std::string& caption) { return ::FindWindowA(kDialogClass, caption.c_str()); }

HWND FindItem(const std::string& caption, int id) {
    HWND dialog = FindDialog(caption);
    return dialog == nullptr ? nullptr : ::GetDlgItem(dialog, id);
}

struct CaptionCount {
    const std::string* caption;
    int count;
};

BOOL CALLBACK CountIfShown(HWND window, LPARAM parameter) {
    auto* counting = reinterpret_cast<CaptionCount*>(parameter);
    char buffer[kTextBufferSize] = {};
    ::GetWindowTextA(window, buffer, kTextBufferSize);
    if (::IsWindowVisible(window) && *counting->caption == buffer) ++counting->count;
    return TRUE;
}

}  // namespace

// GetDlgItemTextA asks the control itself (WM_GETTEXT): an edit control of another process
// keeps its text to itself, and GetWindowTextA would give back only its initial text.
std::optional<std::string> DialogItemText(const std::string& caption, int id) {
    if (FindItem(caption, id) == nullptr) return std::nullopt;
    char buffer[kTextBufferSize] = {};
    ::GetDlgItemTextA(FindDialog(caption), id, buffer, kTextBufferSize);
    return std::string(buffer);
}

std::optional<std::string> DialogItemRect(const std::string& caption, int id) {
    HWND item = FindItem(caption, id);
    RECT rect{};
    if (item == nullptr || !::GetWindowRect(item, &rect)) return std::nullopt;
    return std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
           std::to_string(rect.right) + " " + std::to_string(rect.bottom);
}

int ShownWindowCount(const std::string& caption) {
    CaptionCount counting{&caption, 0};
    ::EnumWindows(&CountIfShown, reinterpret_cast<LPARAM>(&counting));
    return counting.count;
}

int ShownDialogCount() {
    int count = 0;
    for (HWND dialog = ::FindWindowExA(nullptr, nullptr, kDialogClass, nullptr); dialog != nullptr;
         dialog = ::FindWindowExA(nullptr, dialog, kDialogClass, nullptr)) {
        if (::IsWindowVisible(dialog)) ++count;
    }
    return count;
}

}  // namespace Orvane::E2e
