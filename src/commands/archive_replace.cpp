#include "commands/archive_replace.h"

#include "common/failure.h"
#include "platform/os.h"

namespace Orvane {
namespace {

// About five seconds for a game or a virus scanner to let go of the file.
constexpr int kReplaceAttempts = 50;
constexpr std::uint32_t kRetryDelayMs = 100;

}  // namespace

void ReplaceInstalledFile(ProgressSink& progress, const std::string& replacement,
                          const std::string& target, const char* failureText) {
    for (int attempt = 0; attempt < kReplaceAttempts; ++attempt) {
        bool mayPass = false;
        if (Os::ReplaceFile(replacement, target, &mayPass)) return;
        if (!mayPass) break;  // read-only, another file system: no wait mends it
        progress.PumpMessages();
        if (progress.TakeCancelRequest()) throw MessageFailure(kCancelled);
        Os::SleepMilliseconds(kRetryDelayMs);
    }
    throw MessageFailure(failureText);
}

}  // namespace Orvane
