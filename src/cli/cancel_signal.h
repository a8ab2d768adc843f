// Ctrl-C as the Cancel request of a run. While a CancelSignal exists, Ctrl-C only sets a flag,
// which the progress display takes at its next pump; the run then stops at its next checkpoint.
// A second Ctrl-C before the first has been taken stops the process at once, as Ctrl-C
// normally does, for a run that seems stuck.
#pragma once

namespace Orvane::Cli {

class CancelSignal {
public:
    // Installs the SIGINT handler; the one before it comes back when the object goes. Only one
    // CancelSignal may exist at a time.
    CancelSignal();
    ~CancelSignal();
    CancelSignal(const CancelSignal&) = delete;
    CancelSignal& operator=(const CancelSignal&) = delete;

    // Whether Ctrl-C was pressed since the last call; clears the request.
    static bool TakeRequest();
};

}  // namespace Orvane::Cli
