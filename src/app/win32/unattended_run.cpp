#include "app/win32/unattended_run.h"

#include <memory>

#include "app/win32/close_requests.h"
#include "platform/win32/install_folder.h"
#include "app/win32/own_signature.h"
#include "app/win32/main_dlg.h"
#include "app/win32/progress_dlg.h"
#include "patch/container_start.h"
#include "platform/os.h"

namespace Orvane {
namespace {

// What a silent run starts from: the container's header and the folder, or the reason it cannot.
struct UnattendedStart {
    RunInputs inputs;
    std::string title = kDefaultCaption;
    std::string refusal;  // empty when the run can start
};

UnattendedStart PrepareRun(const std::string& folder) {
    UnattendedStart start;
    start.inputs.exePath = Os::GetModuleFileName(nullptr).value_or(std::string());
    ContainerStart container = ReadContainerStart(start.inputs.exePath);
    RefuseBrokenSignature(start.inputs.exePath, container);
    start.inputs.folder = folder;
    if (!container.failureText.empty()) {
        start.refusal = container.failureText;
        return start;
    }
    start.title = container.header.title;
    start.inputs.scriptOffset = container.header.scriptOffset;
    start.inputs.version = container.header.version;
    if (start.inputs.folder.empty()) {
        start.inputs.folder = Win32::ReadInstallFolder(container.header.registryKey);
    }
    if (start.inputs.folder.empty()) start.refusal = kNoInstallFolder;
    return start;
}

// /SILENT: the progress dialog alone, centred on the screen; its Cancel works as always.
std::shared_ptr<ProgressSink> OpenDisplay(UiLevel ui) {
    if (ui == UiLevel::VerySilent) return std::make_shared<Win32::WindowlessProgress>();
    auto dialog = std::make_shared<CProgressDlg>();
    dialog->Create(nullptr);
    dialog->SetPos(0);
    dialog->Show(SW_SHOW);
    return dialog;
}

int ExitCodeOf(const RunOutcome& outcome) {
    if (outcome.completed) return kExitCompleted;
    if (outcome.cancelled) return kExitCancelled;
    return outcome.started ? kExitFailed : kExitCannotStart;
}

}  // namespace

int RunUnattended(UiLevel ui, const std::string& folder, RunLog* log) {
    UnattendedStart start = PrepareRun(folder);
    if (log != nullptr) log->Start(start.title, start.inputs.folder);
    if (!start.refusal.empty()) {
        if (log != nullptr) log->Refuse(start.refusal);
        return kExitCannotStart;
    }
    Win32::CloseRequests requests;
    CErrorMessages errorMessages;
    auto openProgress = [&] {
        return std::make_shared<Win32::CancellableProgress>(OpenDisplay(ui), requests);
    };
    RunOutcome outcome = RunPatch(start.inputs, errorMessages, openProgress, {},
                                  log != nullptr ? log->Reporter() : CommandReport());
    if (log != nullptr) log->Finish(outcome);
    return ExitCodeOf(outcome);
}

}  // namespace Orvane
