#include "app/plan_archive_record.h"

#include <memory>

#include "commands/archive_rules.h"
#include "commands/archive_update.h"
#include "commands/removal_index.h"
#include "commands/safe_path.h"
#include "common/buffered_reader.h"
#include "common/failure.h"
#include "common/file_status.h"
#include "common/memory_stream.h"
#include "common/stream_window.h"

namespace Orvane {
namespace {

using Common::MemoryStream;
using ListingPointer = std::shared_ptr<const ArchiveListing>;

using Common::kFromBeginning;
// The update ends its new archive with a record length of 0 (u32).
constexpr std::uint64_t kEndMarkerSize = 4;

// The archive as the update would meet it, its size, and whether it is the installed file (an
// archive that an earlier record wrote is a fresh file that the swap can always replace).
struct ArchiveSource {
    ListingPointer listing;
    std::uint64_t size = 0;
    bool installed = false;
};

ListingPointer ReadListing(const std::shared_ptr<Common::StreamBase>& stream) {
    auto listing = std::make_shared<ArchiveListing>();
    if (!ReadArchiveListing(stream, *listing)) throw MessageFailure(kArchiveHeaderReadFailed);
    return listing;
}

ArchiveSource OpenSource(const CPatchScript& script, const ArchiverParams& params,
                         const PlanOverlay& overlay) {
    const PlannedFile* planned = overlay.Find(params.relativePath);
    if (planned == nullptr) {
        auto file = OpenArchiveForUpdate(params.GetFullPath());
        if (!file->CanRead()) throw MessageFailure(kArchiveOpenFailed);
        auto size = static_cast<std::uint64_t>(file->GetLength());
        return {ReadListing(std::make_shared<Common::BufferedReader>(file)), size, true};
    }
    if (planned->kind != PlannedFile::Kind::File) throw MessageFailure(kArchiveOpenFailed);
    if (planned->archive) return {planned->archive, planned->size, false};
    // A payload that an earlier record copied is walked where it lies in the patch file: only
    // its entry headers are read, whatever its size.
    std::shared_ptr<PicFile> payload = script.LoadPicFile(*planned->payloadIndex);
    if (!payload) throw MessageFailure(kArchiveOpenFailed);
    auto stored = std::make_shared<Common::StreamWindow>(payload->source, payload->dataOffset,
                                                         payload->dataSize);
    return {ReadListing(stored), payload->dataSize, false};
}

// Writes the header with the target revision to memory, as the update writes it to its new
// archive (an unknown magic raises PlainFailure there too), and reads back what it holds:
// "LINK3" keeps reading as revision 0.
ArcHeader RebuiltHeader(const ArcHeader& read, std::uint16_t targetRevision) {
    ArcHeader header = read;
    header.revision = targetRevision;
    auto scratch = std::make_shared<MemoryStream>();
    header.Write(scratch);
    scratch->Seek(0, kFromBeginning);
    ArcHeader written;
    written.Read(scratch);
    return written;
}

// Writes the header or entry header to memory: raises what its Write would raise (for an entry
// an empty name, a name or a record too long for the layout), and gives its size.
template <typename Header>
std::uint64_t WrittenSize(const Header& header) {
    auto scratch = std::make_shared<MemoryStream>();
    header.Write(scratch);
    return static_cast<std::uint64_t>(scratch->GetLength());
}

void RequireWritable(const ArcEntry& entry) { WrittenSize(entry); }

// The size of the archive the update would write: its header, every entry with its data, and
// the end marker.
std::uint64_t RebuiltSize(const ArchiveListing& rebuilt) {
    std::uint64_t size = WrittenSize(rebuilt.header) + kEndMarkerSize;
    for (const ListedEntry& entry : rebuilt.entries) {
        size += WrittenSize(entry.header) + entry.header.dataSize;
    }
    return size;
}

// The update's copy loop: every entry is dropped by a removal record or copied.
void PlanKeptEntries(const ArchiveListing& source, ArchiverParams& params,
                     ArchiveListing& rebuilt, PlannedRecord& record) {
    RemovalIndex removals(params.removals, source.header.revision);
    std::size_t removed = 0;
    for (std::size_t i = 0; i < source.entries.size(); ++i) {
        const ListedEntry& entry = source.entries[i];
        bool last = i + 1 == source.entries.size();
        bool dataCutShort = last && source.end == ListingEnd::DataCutShort;
        if (removals.Take(entry.header.name)) {
            ++removed;
            continue;
        }
        if (dataCutShort) throw MessageFailure(kEntryReadFailed);
        RequireWritable(entry.header);
        rebuilt.entries.push_back(entry);
    }
    // The next entry header is cut short, or the data of a dropped entry ran past the end.
    if (source.end != ListingEnd::EndMarker) throw PlainFailure();
    record.removed = removed;
}

void PlanAdditions(const CPatchScript& script, const ArchiverParams& params,
                   ArchiveListing& rebuilt, PlannedRecord& record) {
    for (const auto& addition : params.additions) {
        std::shared_ptr<PicFile> payload = script.LoadPicFile(addition->fileIndex);
        if (!payload) throw MessageFailure(kPayloadMissing);
        ListedEntry added;
        added.header.unicodeNames = rebuilt.header.HasUnicodeNames();
        DescribeAddedEntry(*payload, added.header);
        RequireWritable(added.header);
        rebuilt.entries.push_back(std::move(added));
    }
    record.added = params.additions.size();
}

}  // namespace

void PlanArchiveUpdate(PlanContext& context, ArchiverParams& params, PlannedRecord& record) {
    params.baseFolder = context.installFolder;
    RequireInsideFolder(record.path);
    ArchiveSource source = OpenSource(context.script, params, context.overlay);
    record.fromRevision = source.listing->header.revision;
    record.toRevision = params.revision;
    if (IsAtOrPastTarget(source.listing->header.revision, params.revision)) {
        record.action = PlannedAction::SkipRevision;
        return;
    }
    auto rebuilt = std::make_shared<ArchiveListing>();
    rebuilt->header = RebuiltHeader(source.listing->header, params.revision);
    PlanKeptEntries(*source.listing, params, *rebuilt, record);
    PlanAdditions(context.script, params, *rebuilt, record);
    if (source.installed) RequireSwappableArchive(params.GetFullPath());
    const std::uint64_t size = RebuiltSize(*rebuilt);
    PlannedFile written;
    written.modified = context.overlay.Now();  // the new archive is written while the patch runs
    written.size = size;
    written.archive = std::move(rebuilt);
    context.overlay.SetWritten(record.path, std::move(written));
    record.action = PlannedAction::Rebuild;
    // The new archive is written whole to a temporary file before it replaces the old one.
    record.space = {size, size, source.size};
}

}  // namespace Orvane
