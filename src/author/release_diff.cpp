#include "author/release_diff.h"

#include "author/archive_changes.h"
#include "author/archive_image.h"
#include "author/file_changes.h"
#include "author/folder_changes.h"

namespace Orvane::Author {
namespace {

bool AnyOldDiffers(const DiffContext& context, const ReleaseItem& file) {
    for (std::size_t i = 0; i < context.olds.size(); ++i) {
        if (OldDiffers(context, i, file)) return true;
    }
    return false;
}

void PlanFile(DiffContext& context, const ReleaseItem& file) {
    RequireRecordPath(file);
    if (HasArchiveMagic(file.host)) {
        PlanArchive(context, file);
    } else {
        PlanCopy(context, file);
    }
}

}  // namespace

PatchPlan DiffReleases(const std::vector<Release>& olds, const Release& newer,
                       const DiffOptions& options) {
    PlanBuilder plan;
    RefusalList refusals;
    DiffContext context{olds, newer, options, plan, refusals};
    CheckShapes(context);
    options.progress->Begin(kStageComparing, newer.FileBytes());
    for (const auto& [key, item] : newer.Items()) {
        StopIfAsked(options.stop);
        options.progress->Advance(item.size);
        if (item.isFolder || !AnyOldDiffers(context, item)) continue;
        refusals.Try([&] { PlanFile(context, item); });
    }
    PlanDeletes(context);
    refusals.RaiseIfAny();
    NoteFolders(context);
    return plan.Finish();
}

}  // namespace Orvane::Author
