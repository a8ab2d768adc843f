// The Run button of the main dialog: the patch run with the progress dialog as its display, and
// its outcome in a message box.
#include "app/win32/main_dlg.h"

#include "app/win32/progress_dlg.h"

namespace Orvane {

INT_PTR CMainDlg::OnRun(WPARAM wParam, LPARAM) {
    if (running_) return 0;
    running_ = true;
    RunInputs inputs{FolderText(), exePath_, scriptOffset_, version_};
    if (log_ != nullptr) log_->Start(caption_, inputs.folder);
    RunOutcome outcome = RunPatch(inputs, errorMessages_, [this] { return OpenProgress(); }, {},
                                  log_ != nullptr ? log_->Reporter() : CommandReport());
    if (log_ != nullptr) log_->Finish(outcome);
    ReportOutcome(outcome, LOWORD(wParam));
    running_ = false;
    return 0;
}

// Opened only once the script has loaded: modeless, owned by this dialog, centred on it.
std::shared_ptr<ProgressSink> CMainDlg::OpenProgress() {
    auto progress = std::make_shared<CProgressDlg>();
    progress->Create(Window());
    progress->SetPos(0);
    progress->Show(SW_SHOW);
    return progress;
}

// RunPatch has already released the progress dialog, so its window is gone before the message.
void CMainDlg::ReportOutcome(const RunOutcome& outcome, int runControlId) {
    if (outcome.completed) {
        ::MessageBoxA(Window(), outcome.message.c_str(), caption_.c_str(),
                      MB_OK | MB_ICONINFORMATION);
        End(runControlId);
        return;
    }
    ::ShowWindow(Window(), SW_SHOW);
    ::MessageBoxA(Window(), outcome.message.c_str(), caption_.c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace Orvane
