#include "cli/cancel_signal.h"

#include <atomic>

#include "platform/win32/win32_api.h"

namespace Orvane::Cli {
namespace {

// Written by the console's control thread.
std::atomic<bool> requested{false};

// Ctrl-C, Ctrl-Break and a closing console stop a run at its next checkpoint; a second one
// before the first has been taken goes on to the default handler, which ends the process.
BOOL WINAPI OnControl(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
        case CTRL_CLOSE_EVENT:
            return requested.exchange(true) ? FALSE : TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

CancelSignal::CancelSignal() {
    requested = false;
    ::SetConsoleCtrlHandler(OnControl, TRUE);
}

CancelSignal::~CancelSignal() { ::SetConsoleCtrlHandler(OnControl, FALSE); }

bool CancelSignal::TakeRequest() { return requested.exchange(false); }

}  // namespace Orvane::Cli
