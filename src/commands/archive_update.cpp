#include "commands/archive_update.h"

#include <memory>
#include <vector>

#include "link/arc_entry.h"
#include "link/arc_header.h"
#include "commands/kept_entries.h"
#include "commands/archive_replace.h"
#include "commands/archive_rules.h"
#include "commands/progress_text.h"
#include "commands/removal_index.h"
#include "commands/safe_path.h"
#include "common/ansi_path.h"
#include "common/binary_writer.h"
#include "common/buffered_reader.h"
#include "common/buffered_writer.h"
#include "common/failure.h"
#include "common/file_stream.h"
#include "common/temp_file.h"
#include "platform/os.h"

namespace Orvane {
namespace {

using Common::BufferedReader;
using Common::BufferedWriter;
using Common::FileStream;

constexpr char kTempPrefix[] = "tmp";

std::int32_t Percent(double part, double whole) {
    return static_cast<std::int32_t>(part / whole * 100.0);
}

// One run of the command: the archive being read, the new archive being written.
class ArchiveUpdate {
public:
    ArchiveUpdate(ProgressSink& progress, const CPatchScript& script, ArchiverParams& params)
        : progress_(progress), script_(script), params_(params) {}

    CommandOutcome Run();

private:
    bool OpenAndReadHeader();
    void RefuseReadOnlyArchive() const;
    void CreateTemporaryArchive();
    void CopyKeptEntries();
    void AppendAdditions();
    void AppendPayload(const PicFile& payload);
    void FinishTemporaryArchive();
    void CheckCancel();

    ProgressSink& progress_;
    const CPatchScript& script_;
    ArchiverParams& params_;
    std::shared_ptr<BufferedReader> archive_;
    std::int64_t archiveSize_ = 0;
    std::uint32_t revision_ = 0;  // the archive's revision before the update
    ArcHeader header_;
    ArcEntry entry_;
    RemovalIndex removals_;
    std::shared_ptr<Common::CTempFile> temp_;
    std::shared_ptr<BufferedWriter> output_;
};

CommandOutcome ArchiveUpdate::Run() {
    if (!OpenAndReadHeader()) return {CommandEffect::KeptRevision, revision_};
    RefuseReadOnlyArchive();
    CreateTemporaryArchive();
    header_.revision = params_.revision;
    header_.Write(output_);
    entry_.unicodeNames = header_.HasUnicodeNames();
    removals_ = RemovalIndex(params_.removals, revision_);
    CopyKeptEntries();
    progress_.SetPos(0);
    progress_.SetRange(0, 100);
    AppendAdditions();
    FinishTemporaryArchive();
    progress_.SetText(FormatWithName(kReplacingFormat, params_.GetName()));
    progress_.SetPos(100);
    ReplaceInstalledFile(progress_, temp_->Path(), params_.GetFullPath(), kArchiveReplaceFailed);
    temp_->Forget();
    return {CommandEffect::Rebuilt, params_.revision};
}

// False when the archive is already at or beyond the target revision.
bool ArchiveUpdate::OpenAndReadHeader() {
    std::shared_ptr<FileStream> file = OpenArchiveForUpdate(params_.GetFullPath());
    if (!file->CanRead()) throw MessageFailure(kArchiveOpenFailed);
    archive_ = std::make_shared<BufferedReader>(file);
    archiveSize_ = archive_->GetLength();
    progress_.SetPos(0);
    progress_.SetRange(0, 100);
    progress_.SetText(FormatWithName(kUpdatingFormat, params_.GetName()));
    if (!header_.Read(archive_)) throw MessageFailure(kArchiveHeaderReadFailed);
    revision_ = header_.revision;
    return !IsAtOrPastTarget(revision_, params_.revision);
}

// A read-only archive could not be swapped at the end: refusing it now spares the player a
// full rewrite that would be thrown away. The refusal at the swap stays for one made
// read-only meanwhile.
void ArchiveUpdate::RefuseReadOnlyArchive() const { RequireSwappableArchive(params_.GetFullPath()); }

// The new archive is written in the archive's own folder, so that it lies on the archive's
// file system (a game's data folder may be a link to another disk) and the swap is one
// atomic rename there.
void ArchiveUpdate::CreateTemporaryArchive() {
    temp_ = std::make_shared<Common::CTempFile>();
    std::string folder = Common::FolderHoldingFile(params_.GetFullPath());
    if (!temp_->Create(kTempPrefix, folder)) throw MessageFailure(kTempNameFailed);
    auto file = std::make_shared<FileStream>(temp_->Path(), Common::CreateAlways,
                                             Common::FileAccess::Write, Common::FileShare::None,
                                             Common::FileOptions::SequentialScan);
    if (!file->CanWrite()) throw MessageFailure(kTempCreateFailed);
    output_ = std::make_shared<BufferedWriter>(file);
}

// The end marker, then everything still gathered in memory; the files close (a write that a
// file system fails only at close fails here), and the new archive is on the disk before its
// name can replace the old one's.
void ArchiveUpdate::FinishTemporaryArchive() {
    Common::BinaryWriter(output_).Write(std::uint32_t{0});
    archive_->Close();
    if (!output_->CloseChecked() || !Os::FlushFileToDisk(temp_->Path()))
        throw MessageFailure(Common::kWriteVectorFailed);
}

void ArchiveUpdate::CheckCancel() {
    progress_.PumpMessages();
    if (progress_.TakeCancelRequest()) throw MessageFailure(kCancelled);
}

void ArchiveUpdate::CopyKeptEntries() {
    KeptEntries kept(archive_, output_);
    std::int64_t entryStart = archive_->GetPosition();
    while (entry_.Read(archive_) != 0) {
        CheckCancel();
        if (removals_.Take(entry_.name)) {
            archive_->Seek(entry_.dataSize, 1);  // a removed entry's data is never read
        } else {
            kept.Keep(entry_, entryStart);
        }
        entryStart = archive_->GetPosition();
        progress_.SetPos(Percent(static_cast<double>(entryStart),
                                 static_cast<double>(archiveSize_)));
    }
    kept.Finish();
}

void ArchiveUpdate::AppendAdditions() {
    const std::size_t count = params_.additions.size();
    for (std::size_t i = 0; i < count; ++i) {
        std::shared_ptr<PicFile> payload = script_.LoadPicFile(params_.additions[i]->fileIndex);
        if (!payload) throw MessageFailure(kPayloadMissing);
        CheckCancel();
        AppendPayload(*payload);
        progress_.SetPos(Percent(static_cast<double>(i), static_cast<double>(count)));
    }
}

void ArchiveUpdate::AppendPayload(const PicFile& payload) {
    DescribeAddedEntry(payload, entry_);
    entry_.Write(output_);
    if (!payload.WriteData(*output_)) {
        throw MessageFailure(output_->Flush() ? kPayloadMissing : Common::kWriteVectorFailed);
    }
}

}  // namespace

CommandOutcome UpdateArchive(ProgressSink& progress, const std::string& installFolder,
                             const CPatchScript& script, ArchiverParams& params) {
    params.baseFolder = installFolder;
    RequireInsideFolder(params.relativePath);
    return ArchiveUpdate(progress, script, params).Run();
}

}  // namespace Orvane
