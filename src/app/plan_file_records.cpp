#include "app/plan_file_records.h"

#include <vector>

#include "commands/copy_command.h"
#include "commands/delete_command.h"
#include "commands/install_rules.h"
#include "commands/safe_path.h"
#include "common/ansi_path.h"
#include "common/failure.h"
#include "common/file_status.h"

namespace Orvane {
namespace {

// The copy makes its temporary file in the destination folder, making the folders that are
// missing; a file where one of those folders should be stops it.
void RequireRoomForFolders(const std::string& installFolder, const std::string& relativeFolder,
                           const PlanOverlay& overlay) {
    std::string prefix;
    for (const std::string& component : PathComponents(relativeFolder)) {
        prefix += prefix.empty() ? component : Common::kBackslash + component;
        FoundFile found = overlay.Look(installFolder, prefix);
        if (found.exists && (found.attributes & Common::kDirectory) == 0) {
            throw MessageFailure(kUpdateFileNotCreated);
        }
    }
}

}  // namespace

void PlanCopy(const std::string& installFolder, CopyParams& params, PlanOverlay& overlay,
              PlannedRecord& record) {
    params.baseFolder = installFolder;
    RequireCopyInsideFolder(params);
    RequireVisibleDestination(params);
    const Basic::CTime& payloadTime = *params.file->modified;
    FoundFile target = overlay.Look(installFolder, record.path);
    if (target.exists && IsAsNewAsPayload(target.modified, payloadTime)) {
        record.action = PlannedAction::SkipNewer;
        return;
    }
    RequireRoomForFolders(installFolder, params.relativePath, overlay);
    if (target.exists && RefusesOverwrite(target.attributes)) {
        throw MessageFailure(kUpdateFileNotCreated);
    }
    const std::uint64_t size = params.file->dataSize;
    PlannedFile written;
    written.modified = payloadTime;
    written.size = size;
    written.payloadIndex = params.fileIndex;
    overlay.SetWritten(record.path, std::move(written));
    record.action = PlannedAction::Copy;
    // The payload goes to a temporary file beside the old one, which the swap then replaces.
    record.space = {size, size, target.exists ? target.size : 0};
}

void PlanDelete(const std::string& installFolder, DeleteParams& params, PlanOverlay& overlay,
                PlannedRecord& record) {
    params.baseFolder = installFolder;
    RequireInsideFolder(record.path);
    FoundFile target = overlay.Look(installFolder, record.path);
    if (!target.exists) {
        record.action = PlannedAction::Absent;
        return;
    }
    if (RefusesDeletion(target.attributes)) throw MessageFailure(kUpdateFileNotDeleted);
    overlay.SetDeleted(record.path);
    record.action = PlannedAction::Delete;
    record.space.freed = target.size;
}

}  // namespace Orvane
