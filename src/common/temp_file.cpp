#include "common/temp_file.h"

#include "common/ansi_path.h"
#include "platform/os.h"

namespace Orvane::Common {

CTempFile::~CTempFile() { Delete(); }

std::optional<std::string> CTempFile::Create(const std::string& prefix,
                                             const std::string& folder) {
    std::string directory = WithTrailingBackslash(folder);
    if (!Os::GetFileAttributes(directory) && !Os::MakeSureDirectoryPathExists(directory)) {
        return std::nullopt;
    }
    Delete();
    path_ = Os::GetTempFileName(directory, prefix);
    if (path_.empty()) return std::nullopt;
    std::size_t separator = FindLastBackslash(path_);
    if (separator != std::string::npos && separator + 1 < path_.size()) {
        fileName_ = path_.substr(separator + 1);
    }
    return path_;
}

void CTempFile::Delete() {
    // A file already gone (renamed into place by its user) is no error.
    if (!path_.empty()) Os::DeleteFile(path_);
    path_.clear();
    fileName_.clear();
}

}  // namespace Orvane::Common
