// A run of the patch program without its main dialog (/SILENT, /VERYSILENT): the container is
// read, the folder taken from /DIR or the registry, and the patch run at once. Nothing waits for
// a person: there is no message box, and /VERYSILENT shows no window at all. The outcome is the
// exit code, and the log when one was asked for.
#pragma once

#include <string>

#include "app/run_log.h"
#include "app/unattended_options.h"

namespace Orvane {

// folder: from /DIR in code page 932, or empty to take the registry's. log may be null. The exit
// code: kExitCompleted, kExitCancelled, kExitFailed or kExitCannotStart.
int RunUnattended(UiLevel ui, const std::string& folder, RunLog* log);

}  // namespace Orvane
