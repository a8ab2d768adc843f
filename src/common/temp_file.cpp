#include "common/temp_file.h"

#include "common/ansi_path.h"
#include "platform/os.h"

namespace Orvane::Common {
namespace {

// About two seconds for a virus scanner or an indexer to let go of a file just written.
constexpr int kDeleteAttempts = 20;
constexpr std::uint32_t kDeleteRetryDelayMs = 100;

// Deletes the file, retrying while it is still there. A file already gone (renamed into place
// by its user) is no error; one that stays is left after the last attempt.
void DeleteWithRetries(const std::string& path) {
    for (int attempt = 1; !Os::DeleteFile(path) && Os::GetFileAttributes(path); ++attempt) {
        if (attempt == kDeleteAttempts) return;
        Os::SleepMilliseconds(kDeleteRetryDelayMs);
    }
}

}  // namespace

CTempFile::~CTempFile() { Delete(); }

std::optional<std::string> CTempFile::Create(const std::string& prefix,
                                             const std::string& folder) {
    std::string directory = WithTrailingBackslash(folder);
    if (!Os::GetFileAttributes(directory) && !Os::MakeSureDirectoryPathExists(directory)) {
        return std::nullopt;
    }
    Delete();
    // What an interrupted earlier run left here goes before a new file is made beside it.
    Os::RemoveLeftoverTempFiles(directory, prefix);
    path_ = Os::GetTempFileName(directory, prefix);
    if (path_.empty()) return std::nullopt;
    std::size_t separator = FindLastBackslash(path_);
    if (separator != std::string::npos && separator + 1 < path_.size()) {
        fileName_ = path_.substr(separator + 1);
    }
    return path_;
}

void CTempFile::Delete() {
    if (!path_.empty()) DeleteWithRetries(path_);
    Forget();
}

void CTempFile::Forget() {
    path_.clear();
    fileName_.clear();
}

}  // namespace Orvane::Common
