#include "app/win32/folder_browser.h"

#include <shlobj.h>

namespace Orvane::Win32 {
namespace {

// The browser selects the initial folder by its path once it has initialised.
int CALLBACK SelectInitialFolder(HWND browser, UINT event, LPARAM, LPARAM data) {
    if (event == BFFM_INITIALIZED && data != 0) {
        ::SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, data);
    }
    return 0;
}

std::optional<std::string> PathOf(LPITEMIDLIST item) {
    char path[MAX_PATH] = {};
    bool converted = ::SHGetPathFromIDListA(item, path) != FALSE;
    ::CoTaskMemFree(item);
    if (!converted) return std::nullopt;
    return std::string(path);
}

}  // namespace

std::optional<std::string> BrowseForFolder(HWND owner, const std::string& initial) {
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.lpszTitle = kChooseFolderTitle;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    info.lpfn = &SelectInitialFolder;
    info.lParam = reinterpret_cast<LPARAM>(initial.c_str());
    LPITEMIDLIST item = ::SHBrowseForFolderA(&info);
    if (item == nullptr) return std::nullopt;
    return PathOf(item);
}

}  // namespace Orvane::Win32
