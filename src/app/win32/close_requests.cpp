#include "app/win32/close_requests.h"

#include "app/win32/message_pump.h"

namespace Orvane::Win32 {
namespace {

constexpr char kWindowClass[] = "OrvanePatchCloseRequests";

// Written by the console handler's thread, read on the user-interface thread.
std::atomic<bool> requested{false};

BOOL WINAPI OnConsoleEvent(DWORD) {
    requested = true;
    return TRUE;  // the run stops at its next checkpoint; the process is not ended here
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE || message == WM_QUERYENDSESSION) {
        requested = true;
        return message == WM_QUERYENDSESSION ? FALSE : 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateHiddenWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &WindowProcedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClassA(&windowClass);
    return ::CreateWindowExA(0, kWindowClass, "", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                             windowClass.hInstance, nullptr);
}

}  // namespace

CloseRequests::CloseRequests() : window_(CreateHiddenWindow()) {
    requested = false;
    // A parent may have started the program with Ctrl+C ignored (a new process group); a run
    // that nobody watches takes it as its Cancel all the same.
    ::SetConsoleCtrlHandler(nullptr, FALSE);
    ::SetConsoleCtrlHandler(&OnConsoleEvent, TRUE);
}

CloseRequests::~CloseRequests() {
    ::SetConsoleCtrlHandler(&OnConsoleEvent, FALSE);
    if (window_ != nullptr) ::DestroyWindow(window_);
}

bool CloseRequests::Take() { return requested.exchange(false); }

void CancellableProgress::PumpMessages() { display_->PumpMessages(); }

void WindowlessProgress::PumpMessages() { Win32::PumpMessages(nullptr); }

// Both sources are taken, so that neither request stays behind for a later checkpoint.
bool CancellableProgress::TakeCancelRequest() {
    bool fromDisplay = display_->TakeCancelRequest();
    bool fromRequests = requests_.Take();
    return fromDisplay || fromRequests;
}

}  // namespace Orvane::Win32
