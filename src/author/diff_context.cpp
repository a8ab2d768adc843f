#include "author/diff_context.h"

#include "author/host_files.h"
#include "author/path_key.h"
#include "author/record_path.h"

namespace Orvane::Author {

std::string InRelease(const std::string& path, const Release& release) {
    return path + " (" + MessagePath(release.Root()) + ")";
}

void RequireRecordPath(const ReleaseItem& file) {
    const char* fault = RecordPathFault(file.path);
    if (fault == nullptr && !file.windowsNames) fault = kNameNotForWindows;
    if (fault != nullptr) Refuse(fault, file.path);
}

bool OldDiffers(const DiffContext& context, std::size_t index, const ReleaseItem& file) {
    const Release& old = context.olds[index];
    const ReleaseItem* there = old.Find(PathKey(file.path));
    return there == nullptr || !SameContents(old, *there, context.newer, file);
}

}  // namespace Orvane::Author
