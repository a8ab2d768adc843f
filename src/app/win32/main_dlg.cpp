#include "app/win32/main_dlg.h"

#include <optional>

#include "app/version_line.h"
#include "app/win32/center_dialog.h"
#include "app/win32/dialog_icons.h"
#include "app/win32/folder_browser.h"
#include "platform/win32/install_folder.h"
#include "app/win32/own_signature.h"
#include "app/win32/resource_ids.h"
#include "app/win32/title_font.h"
#include "patch/container_start.h"
#include "platform/os.h"

namespace Orvane {
namespace {

constexpr int kFolderBufferSize = MAX_PATH;

}  // namespace

const Win32::MessageEntry<CMainDlg> CMainDlg::kMessageMap[] = {
    {WM_INITDIALOG, Win32::kAnyControl, &CMainDlg::OnInitDialog},
    {WM_COMMAND, IDOK, &CMainDlg::OnRun},
    {WM_COMMAND, IDCANCEL, &CMainDlg::OnCancel},
    {WM_COMMAND, IDC_BROWSE, &CMainDlg::OnBrowse},
    {0, 0, nullptr},
};

CMainDlg::CMainDlg(std::shared_ptr<const Common::CResourceVersion> version, std::string folder,
                   RunLog* log)
    : versionInfo_(std::move(version)), givenFolder_(std::move(folder)), log_(log) {}

INT_PTR CMainDlg::Run(HWND owner) { return RunModal(IDD_MAIN, owner); }

INT_PTR CMainDlg::OnInitDialog(WPARAM, LPARAM) {
    Win32::SetDialogIcons(Window(), IDI_PATCH);
    std::string folder = LoadContainer();
    if (!givenFolder_.empty()) folder = givenFolder_;
    ::SetDlgItemTextA(Window(), IDC_FOLDER, folder.c_str());
    ::SetDlgItemTextA(Window(), IDC_TITLE, caption_.c_str());
    ::SetDlgItemTextA(Window(), IDC_VERSION, VersionLine(versionInfo_.get()).c_str());
    Win32::EnlargeControlFont(Window(), IDC_TITLE);
    Win32::CenterDialog(Window());
    return TRUE;
}

// Reads the container header from the program's own file and keeps what a run needs; the
// folder proposed from the registry, or empty.
std::string CMainDlg::LoadContainer() {
    exePath_ = Os::GetModuleFileName(nullptr).value_or(std::string());
    ContainerStart start = ReadContainerStart(exePath_);
    RefuseBrokenSignature(exePath_, start);
    if (!start.failureText.empty()) {
        DropContainer(start.failureText);
        return {};
    }
    caption_ = start.header.title;
    version_ = start.header.version;
    scriptOffset_ = start.header.scriptOffset;
    return Win32::ReadInstallFolder(start.header.registryKey);
}

// Reports the start-up problem once; every run then fails without touching the file.
void CMainDlg::DropContainer(const std::string& failureText) {
    ::MessageBoxA(Window(), failureText.c_str(), kErrorCaption, MB_OK | MB_ICONERROR);
    caption_ = kDefaultCaption;
    exePath_.clear();
    version_ = -1;
}

INT_PTR CMainDlg::OnCancel(WPARAM, LPARAM) {
    if (!running_) End(IDCANCEL);
    return 0;
}

// Refused during a run like Run and Cancel: the browser's own message loop would stall the run,
// and the folder chosen would not be the one being patched.
INT_PTR CMainDlg::OnBrowse(WPARAM, LPARAM) {
    if (running_) return 0;
    std::optional<std::string> folder = Win32::BrowseForFolder(Window(), FolderText());
    if (folder) ::SetDlgItemTextA(Window(), IDC_FOLDER, folder->c_str());
    return 0;
}

std::string CMainDlg::FolderText() const {
    char buffer[kFolderBufferSize] = {};
    ::GetDlgItemTextA(Window(), IDC_FOLDER, buffer, kFolderBufferSize);
    return buffer;
}

}  // namespace Orvane
