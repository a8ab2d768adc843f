// The patch program's main dialog: it finds the patch container in the program's own file,
// proposes the installation folder, shows the patch title and the version line, lets the user
// browse for another folder, and runs the patch on Run.
//
// Its result is the program's exit code: 1 after a completed run, 2 when the user leaves with
// Cancel (also Esc and the close box), -1 when the dialog cannot be created. A failed run is
// reported and leaves the dialog open for another try.
//
// The run happens inside the Run handler, and it pumps this dialog's messages as it goes. While
// a run is in progress, Run, Cancel and Browse on this dialog are refused (ignored): a run never
// starts inside a run, the dialog is never ended under one, and the folder never changes during
// one. The progress dialog's Cancel is the way to stop a run.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "commands/error_messages.h"
#include "commands/progress_sink.h"
#include "app/run_log.h"
#include "app/run_patch.h"
#include "app/win32/dialog.h"
#include "common/resource_version.h"

namespace Orvane {

// The caption of a start-up problem's message box.
inline constexpr char kErrorCaption[] = "エラー";

class CMainDlg : public Win32::DialogImpl<CMainDlg> {
public:
    // version: the program's version resource, read once at start-up; null when it could not
    // be made. folder: the folder box's text instead of the registry's (/DIR) when not empty.
    // log: where each run is logged (/LOG), or null.
    explicit CMainDlg(std::shared_ptr<const Common::CResourceVersion> version,
                      std::string folder = {}, RunLog* log = nullptr);

    // Runs the dialog modally from dialog resource 100; its result.
    INT_PTR Run(HWND owner);

private:
    friend class Win32::DialogImpl<CMainDlg>;
    static const Win32::MessageEntry<CMainDlg> kMessageMap[];

    INT_PTR OnInitDialog(WPARAM wParam, LPARAM lParam);
    INT_PTR OnRun(WPARAM wParam, LPARAM lParam);
    INT_PTR OnCancel(WPARAM wParam, LPARAM lParam);
    INT_PTR OnBrowse(WPARAM wParam, LPARAM lParam);

    std::string LoadContainer();
    void DropContainer(const std::string& failureText);
    std::string FolderText() const;
    std::shared_ptr<ProgressSink> OpenProgress();
    void ReportOutcome(const RunOutcome& outcome, int runControlId);

    std::string caption_;
    std::string exePath_;
    std::uint32_t scriptOffset_ = 0;
    std::int32_t version_ = -1;
    CErrorMessages errorMessages_;
    std::shared_ptr<const Common::CResourceVersion> versionInfo_;
    bool running_ = false;
    std::string givenFolder_;
    RunLog* log_ = nullptr;
};

}  // namespace Orvane
