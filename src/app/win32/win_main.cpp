// The entry point of the Windows patch program. It takes no arguments; the main dialog's result
// is the exit code.
#include <memory>
#include <new>

#include <objbase.h>

#include "app/win32/main_dlg.h"
#include "app/win32/windows_ui.h"

namespace {

// The program's own version resource, read once for the whole run; null when the reader
// itself cannot be made, which the version line reports.
std::shared_ptr<const Orvane::Common::CResourceVersion> ReadOwnVersion(HINSTANCE instance) {
    try {
        return std::make_shared<const Orvane::Common::CResourceVersion>(instance);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

INT_PTR RunMainDialog(HINSTANCE instance) {
    Orvane::CMainDlg dialog(ReadOwnVersion(instance));
    return dialog.Run(::GetActiveWindow());
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The folder browser needs the component runtime on this thread.
    ::CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    INT_PTR result = RunMainDialog(instance);
    ::CoUninitialize();
    return static_cast<int>(result);
}
