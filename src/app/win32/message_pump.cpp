#include "app/win32/message_pump.h"

namespace Orvane::Win32 {

void PumpMessages(HWND dialog) {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (dialog != nullptr && ::IsDialogMessageA(dialog, &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

}  // namespace Orvane::Win32
