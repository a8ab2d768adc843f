// Puts a finished file in place of an installed one in one atomic step.
#pragma once

#include <string>

#include "commands/progress_sink.h"

namespace Orvane {

// Replaces target by replacement, which lies in target's folder. A target that another
// process holds is retried a bounded number of times while messages are pumped; Cancel stops
// the retries with kCancelled. A failure that no wait can mend (a read-only target, another
// file system) fails with failureText at once, and so does a target that stays locked. Either way the target is
// never left missing: it is the old file or the new one.
void ReplaceInstalledFile(ProgressSink& progress, const std::string& replacement,
                          const std::string& target, const char* failureText);

}  // namespace Orvane
