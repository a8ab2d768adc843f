#include "commands/archive_replace.h"

#include "common/failure.h"
#include "platform/os.h"

namespace Orvane {
namespace {

// About five seconds for a game or a virus scanner to let go of the file.
constexpr int kReplaceAttempts = 50;
constexpr std::uint32_t kRetryDelayMs = 100;

bool IsReadOnly(const std::string& path) {
    std::optional<std::uint32_t> attributes = Os::GetFileAttributes(path);
    return attributes && (*attributes & Os::kAttrReadOnly);
}

}  // namespace

void ReplaceInstalledFile(ProgressSink& progress, const std::string& replacement,
                          const std::string& target, const char* failureText) {
    for (int attempt = 0; attempt < kReplaceAttempts; ++attempt) {
        if (Os::ReplaceFile(replacement, target)) return;
        if (IsReadOnly(target)) break;
        progress.PumpMessages();
        if (progress.TakeCancelRequest()) throw MessageFailure(kCancelled);
        Os::SleepMilliseconds(kRetryDelayMs);
    }
    throw MessageFailure(failureText);
}

}  // namespace Orvane
