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

}  // namespace

PatchPlan DiffReleases(const std::vector<Release>& olds, const Release& newer,
                       const DiffOptions& options) {
    PlanBuilder plan;
    DiffContext context{olds, newer, options, plan};
    CheckShapes(context);
    for (const auto& [key, item] : newer.Items()) {
        StopIfAsked(options.stop);
        if (item.isFolder || !AnyOldDiffers(context, item)) continue;
        RequireRecordPath(item);
        if (HasArchiveMagic(item.host)) {
            PlanArchive(context, item);
        } else {
            PlanCopy(context, item);
        }
    }
    PlanDeletes(context);
    NoteFolders(context);
    return plan.Finish();
}

}  // namespace Orvane::Author
