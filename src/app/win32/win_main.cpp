// The entry point of the Windows patch program. Without arguments it shows the main dialog and
// its result is the exit code; start_program.h says what its command line changes.
#include <objbase.h>

#include "app/unattended_options.h"
#include "app/win32/start_program.h"
#include "app/win32/windows_ui.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The folder browser needs the component runtime on this thread.
    ::CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    // Read as UTF-16, so that a folder code page 932 cannot hold is seen and refused.
    const auto* line = reinterpret_cast<const char16_t*>(::GetCommandLineW());
    int result = Orvane::StartProgram(instance, Orvane::ParseUnattendedOptions(line));
    ::CoUninitialize();
    return result;
}
