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

// Counts the visible top-level windows whose caption, or class name, is `text`.
struct ShownCount {
    const std::string* text;
    int (*read)(HWND, LPSTR, int);
    int count;
};

int ReadCaption(HWND window, LPSTR buffer, int size) { return ::GetWindowTextA(window, buffer, size); }
int ReadClass(HWND window, LPSTR buffer, int size) { return ::GetClassNameA(window, buffer, size); }

BOOL CALLBACK CountIfShown(HWND window, LPARAM parameter) {
    auto* counting = reinterpret_cast<ShownCount*>(parameter);
    char buffer[kTextBufferSize] = {};
    counting->read(window, buffer, kTextBufferSize);
    if (::IsWindowVisible(window) && *counting->text == buffer) ++counting->count;
    return TRUE;
}

int CountShown(const std::string& text, int (*read)(HWND, LPSTR, int)) {
    ShownCount counting{&text, read, 0};
    ::EnumWindows(&CountIfShown, reinterpret_cast<LPARAM>(&counting));
    return counting.count;
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

int ShownWindowCount(const std::string& caption) { return CountShown(caption, &ReadCaption); }

int ShownDialogCount() { return CountShown(kDialogClass, &ReadClass); }

}  // namespace Orvane::E2e
