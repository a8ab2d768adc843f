// The progress dialog of a patch run: one line of text, a progress bar and a Cancel button.
//
// It is the run's ProgressSink. The remembered-value rules come from RememberingProgressSink;
// this class shows the values in its controls and pumps the thread's messages. Cancel (also
// Enter, Esc and the close box, since Cancel is the default button) only requests
// cancellation: the window stays until the run releases the object.
//
//   auto progress = std::make_shared<CProgressDlg>();
//   progress->Create(mainDialog);      // hidden, centred on mainDialog
//   progress->SetPos(0);
//   progress->Show();
//
// Without a window (creation failed) the updates have no effect, messages are still pumped and
// no Cancel request ever arrives, so a run proceeds without showing progress.
#pragma once

#include "commands/progress_sink.h"
#include "app/win32/dialog.h"

namespace Orvane {

class CProgressDlg : public Win32::DialogImpl<CProgressDlg>, public RememberingProgressSink {
public:
    // Creates the window from dialog resource 101, owned by owner; it starts hidden.
    bool Create(HWND owner);
    void Show(int command = SW_SHOW);

    void PumpMessages() override;

protected:
    void ShowText(const std::string& text) override;
    void ShowRange(std::int32_t low, std::int32_t high) override;
    void ShowPos(std::int32_t position) override;

private:
    friend class Win32::DialogImpl<CProgressDlg>;
    static const Win32::MessageEntry<CProgressDlg> kMessageMap[];

    INT_PTR OnInitDialog(WPARAM wParam, LPARAM lParam);
    INT_PTR OnCancel(WPARAM wParam, LPARAM lParam);
};

// The PBM_SETRANGE parameter: the high bound in the upper 16 bits, the low bound cut to 16
// bits below it. The bar keeps only 16 bits of each.
LPARAM ProgressRangeParam(std::int32_t low, std::int32_t high);

}  // namespace Orvane
