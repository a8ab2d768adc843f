#include "app/plan_file_records.h"

#include <memory>
#include <optional>

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
void RequireRoomForFolders(const std::string& relativeFolder, const PlanOverlay& overlay) {
    std::string prefix;
    for (const std::string& component : PathComponents(relativeFolder)) {
        prefix += prefix.empty() ? component : Common::kBackslash + component;
        FoundFile found = overlay.Look(prefix);
        if (found.exists && (found.attributes & Common::kDirectory) == 0) {
            throw MessageFailure(kUpdateFileNotCreated);
        }
    }
}

// Whether what the copy finds at its destination holds the payload's bytes. A file that an
// earlier record copied is compared payload with payload; an archive that an earlier record
// rebuilt is taken to differ (the plan keeps its entries, not its bytes), and so is a folder.
bool HoldsPayload(const PlanContext& context, const CopyParams& params,
                  const std::string& relativePath) {
    const PlannedFile* planned = context.overlay.Find(relativePath);
    if (planned == nullptr) {
        return HoldsPayloadBytes(context.installFolder + relativePath, *params.file);
    }
    if (planned->kind != PlannedFile::Kind::File || !planned->payloadIndex) return false;
    if (*planned->payloadIndex == params.fileIndex) return true;
    std::shared_ptr<PicFile> earlier = context.script.LoadPicFile(*planned->payloadIndex);
    return earlier && SamePayloadBytes(*earlier, *params.file);
}

// The action of a copy that leaves an installed file or folder as new as the payload or newer
// (DecideNewerFiles): nothing when the copy writes.
std::optional<PlannedAction> LeftAsNewer(const PlanContext& context, const CopyParams& params,
                                         const PlannedRecord& record, const FoundFile& target) {
    if (!target.exists || !IsAsNewAsPayload(target.modified, *params.file->modified)) {
        return std::nullopt;
    }
    if (HoldsPayload(context, params, record.path)) return PlannedAction::SkipNewer;
    bool folder = (target.attributes & Common::kDirectory) != 0;
    if (context.newer == NewerFiles::Keep || folder) return PlannedAction::SkipNewerDiffers;
    return std::nullopt;
}

}  // namespace

void PlanCopyRecord(PlanContext& context, CopyParams& params, PlannedRecord& record) {
    params.baseFolder = context.installFolder;
    RequireCopyInsideFolder(params);
    RequireVisibleDestination(params);
    PlanOverlay& overlay = context.overlay;
    FoundFile target = overlay.Look(record.path);
    if (std::optional<PlannedAction> left = LeftAsNewer(context, params, record, target)) {
        record.action = *left;
        return;
    }
    RequireRoomForFolders(params.relativePath, overlay);
    if (target.exists && RefusesOverwrite(target.attributes)) {
        throw MessageFailure(kUpdateFileNotCreated);
    }
    const std::uint64_t size = params.file->dataSize;
    PlannedFile written;
    written.modified = *params.file->modified;
    written.size = size;
    written.payloadIndex = params.fileIndex;
    overlay.SetWritten(record.path, std::move(written));
    record.action = PlannedAction::Copy;
    // The payload goes to a temporary file beside the old one, which the swap then replaces.
    record.space = {size, size, target.exists ? target.size : 0};
}

void PlanDelete(PlanContext& context, DeleteParams& params, PlannedRecord& record) {
    params.baseFolder = context.installFolder;
    RequireInsideFolder(record.path);
    FoundFile target = context.overlay.Look(record.path);
    if (!target.exists) {
        record.action = PlannedAction::Absent;
        return;
    }
    if (RefusesDeletion(target.attributes)) throw MessageFailure(kUpdateFileNotDeleted);
    context.overlay.SetDeleted(record.path);
    record.action = PlannedAction::Delete;
    record.space.freed = target.size;
}

}  // namespace Orvane
