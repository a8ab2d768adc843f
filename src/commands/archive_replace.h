// Puts a finished file in place of an installed one in one atomic step.
#pragma once

#include <string>

#include "commands/progress_sink.h"

namespace Orvane {

// Replaces target by replacement. A target that another process holds is retried a bounded
// number of times while messages are pumped; Cancel stops the retries with kCancelled. A
// read-only target, or one that stays locked, fails with failureText. Either way the target is
// never left missing: it is the old file or the new one.
void ReplaceInstalledFile(ProgressSink& progress, const std::string& replacement,
                          const std::string& target, const char* failureText);

}  // namespace Orvane
