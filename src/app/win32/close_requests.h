// How a run that shows no main dialog is asked to stop: a close request to the program's windows
// (WM_CLOSE, as `taskkill` without /F sends it, or the session ending) and Ctrl+C, Ctrl+Break or
// a closed console, where the program has one. Each becomes the run's Cancel request, so the run stops
// at its next checkpoint as with the Cancel button and its files are left whole.
//
//   CloseRequests requests;                 // makes the hidden window, installs the handler
//   auto sink = std::make_shared<CancellableProgress>(display, requests);
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "app/win32/windows_ui.h"
#include "commands/progress_sink.h"
#include "commands/silent_progress.h"

namespace Orvane::Win32 {

class CloseRequests {
public:
    CloseRequests();
    ~CloseRequests();
    CloseRequests(const CloseRequests&) = delete;
    CloseRequests& operator=(const CloseRequests&) = delete;

    // Whether a request arrived since the last call; clears it.
    bool Take();

private:
    HWND window_ = nullptr;  // never shown; it is there to receive WM_CLOSE
};

// The display of /VERYSILENT: it shows nothing, but pumps the thread's messages, so that the
// hidden window hears its close requests.
class WindowlessProgress : public SilentProgress {
public:
    void PumpMessages() override;
};

// A display with the close requests as a second source of Cancel.
class CancellableProgress : public ProgressSink {
public:
    CancellableProgress(std::shared_ptr<ProgressSink> display, CloseRequests& requests)
        : display_(std::move(display)), requests_(requests) {}

    void SetText(const std::string& text) override { display_->SetText(text); }
    void SetRange(std::int32_t low, std::int32_t high) override { display_->SetRange(low, high); }
    void SetPos(std::int32_t position) override { display_->SetPos(position); }
    void PumpMessages() override;
    bool TakeCancelRequest() override;

private:
    std::shared_ptr<ProgressSink> display_;
    CloseRequests& requests_;
};

}  // namespace Orvane::Win32
