#include "author/archive_changes.h"

#include <optional>

#include "author/archive_diff.h"
#include "author/archive_image.h"
#include "author/file_changes.h"
#include "author/path_key.h"
#include "common/failure.h"
#include "patch/container_encoding.h"

namespace Orvane::Author {
namespace {

// The old copies an update will rebuild and the releases they belong to, or why the archive
// goes whole.
struct RebuiltCopies {
    std::vector<ArchiveImage> images;
    std::vector<const Release*> releases;
    std::string wholeReason;
};

std::string CopyMismatch(const ArchiveImage& newer, const std::optional<ArchiveImage>& copy) {
    if (!copy) return kOldNotComplete;
    if (copy->header.magic != newer.header.magic) return kLayoutDiffers;
    if (copy->header.tag != newer.header.tag) return kTagDiffers;
    return "";
}

// Every old copy that differs; for "LINK3", which no revision protects from an update, every
// old copy.
RebuiltCopies OldCopies(const DiffContext& context, const ReleaseItem& file,
                        const ArchiveImage& newer) {
    bool link3 = newer.header.magic == kMagicLink3;
    RebuiltCopies copies;
    for (std::size_t i = 0; i < context.olds.size(); ++i) {
        if (!link3 && !OldDiffers(context, i, file)) continue;
        const Release& old = context.olds[i];
        const ReleaseItem* there = old.Find(PathKey(file.path));
        std::optional<ArchiveImage> copy = there ? ReadArchiveImage(there->host) : std::nullopt;
        std::string mismatch = there ? CopyMismatch(newer, copy) : kOldLacks;
        if (!mismatch.empty() && copies.wholeReason.empty()) {
            copies.wholeReason = mismatch + " (" + InRelease(file.path, old) + ")";
        }
        if (!copy) continue;
        copies.images.push_back(std::move(*copy));
        copies.releases.push_back(&old);
    }
    return copies;
}

// An update runs on a copy only below its target revision, so every copy it rebuilds must be
// below the new archive's. Asked only of an archive that goes by entry: one shipped whole
// replaces every copy whatever its revision.
void RequireRevisionsBelow(const ReleaseItem& file, const ArchiveImage& newer,
                           const RebuiltCopies& copies) {
    if (newer.header.magic == kMagicLink3) return;
    for (std::size_t i = 0; i < copies.images.size(); ++i) {
        if (copies.images[i].header.revision >= newer.header.revision) {
            Refuse(kRevisionNotAbove, InRelease(file.path, *copies.releases[i]));
        }
    }
}

void ShipWhole(DiffContext& context, const ReleaseItem& file, const std::string& reason) {
    context.plan.ShippedWhole({.path = file.path, .wholeReason = reason, .bytes = file.size});
    PlanCopy(context, file);
}

// The update's record, or nothing when it would not fit in one. Payloads are taken on only
// for a record that fits.
std::optional<ArchiveRecord> UpdateRecord(DiffContext& context, const ReleaseItem& file,
                                          const ArchiveImage& newer,
                                          const ArchiveUpdatePlan& update) {
    ArchiveRecord record{file.path, update.revision, update.removals, {}};
    record.additions.resize(update.additions.size());
    try {
        EncodeRecord(record);
    } catch (const MessageFailure&) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < update.additions.size(); ++i) {
        const ArchiveEntry& entry = newer.entries[update.additions[i]];
        PayloadSource source{file.host, entry.dataOffset, entry.fields.dataSize, entry.stored.data};
        record.additions[i].payloadIndex =
            context.plan.Payload(PayloadForEntry(entry.fields), source);
    }
    return record;
}

PlannedArchive ByEntry(const ReleaseItem& file, const ArchiveImage& newer,
                       const ArchiveUpdatePlan& update) {
    PlannedArchive summary{.path = file.path, .byEntry = true, .revision = update.revision};
    summary.removals = update.removals.size();
    summary.additions = update.additions.size();
    for (std::size_t index : update.additions) {
        summary.bytes += newer.entries[index].fields.dataSize;
    }
    summary.reordered = update.reordered;
    summary.reorderedBytes = update.reorderedBytes;
    return summary;
}

}  // namespace

void PlanArchive(DiffContext& context, const ReleaseItem& file) {
    std::optional<ArchiveImage> newer = ReadArchiveImage(file.host);
    if (!newer) return ShipWhole(context, file, kNotComplete);
    RebuiltCopies copies = OldCopies(context, file, *newer);
    if (!copies.wholeReason.empty()) return ShipWhole(context, file, copies.wholeReason);
    RequireRevisionsBelow(file, *newer, copies);
    bool link3 = newer->header.magic == kMagicLink3;
    std::vector<const ArchiveImage*> rebuilt;
    for (const ArchiveImage& image : copies.images) rebuilt.push_back(&image);
    if (link3) rebuilt.push_back(&*newer);
    // "LINK3" stores no revision: any target above 0 runs the update, on every apply.
    auto target = static_cast<std::uint16_t>(link3 ? 1 : newer->header.revision);
    ArchiveDiff diff = DiffArchive(*newer, rebuilt, target);
    if (!diff.update) return ShipWhole(context, file, diff.wholeReason);
    std::optional<ArchiveRecord> record = UpdateRecord(context, file, *newer, *diff.update);
    if (!record) return ShipWhole(context, file, kRecordTooLong);
    context.plan.Archive(*record, ByEntry(file, *newer, *diff.update));
}

}  // namespace Orvane::Author
