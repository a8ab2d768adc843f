#include "commands/archive_update.h"

#include <memory>
#include <vector>

#include "commands/arc_entry.h"
#include "commands/arc_header.h"
#include "commands/archive_replace.h"
#include "commands/payload_entry.h"
#include "commands/progress_text.h"
#include "commands/safe_path.h"
#include "common/binary_writer.h"
#include "common/failure.h"
#include "common/file_stream.h"
#include "common/temp_file.h"

namespace Orvane {
namespace {

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

    void Run(const std::string& installFolder);

private:
    bool OpenAndReadHeader();
    void CreateTemporaryArchive(const std::string& installFolder);
    void CopyKeptEntries();
    void AppendAdditions();
    void AppendPayload(const PicFile& payload);
    void CheckCancel();
    std::shared_ptr<ArchiverParams::revome> FindRemoval(const std::string& name) const;
    std::vector<std::uint8_t> ReadEntryData();

    ProgressSink& progress_;
    const CPatchScript& script_;
    ArchiverParams& params_;
    std::shared_ptr<FileStream> archive_;
    std::int64_t archiveSize_ = 0;
    std::uint32_t revision_ = 0;  // the archive's revision before the update
    ArcHeader header_;
    ArcEntry entry_;
    std::shared_ptr<Common::CTempFile> temp_;
    std::shared_ptr<FileStream> output_;
};

void ArchiveUpdate::Run(const std::string& installFolder) {
    if (!OpenAndReadHeader()) return;
    CreateTemporaryArchive(installFolder);
    header_.revision = params_.revision;
    header_.Write(output_);
    entry_.unicodeNames = header_.HasUnicodeNames();
    CopyKeptEntries();
    progress_.SetPos(0);
    progress_.SetRange(0, 100);
    AppendAdditions();
    Common::BinaryWriter(output_).Write(std::uint32_t{0});  // the end marker
    archive_->Close();
    output_->Close();
    progress_.SetText(FormatWithName(kReplacingFormat, params_.GetName()));
    progress_.SetPos(100);
    ReplaceInstalledFile(progress_, temp_->Path(), params_.GetFullPath(), kArchiveReplaceFailed);
}

// False when the archive is already at or beyond the target revision.
bool ArchiveUpdate::OpenAndReadHeader() {
    archive_ = std::make_shared<FileStream>(params_.GetFullPath(), Common::OpenExisting,
                                            Common::FileAccess::Read, Common::FileShare::None,
                                            Common::FileOptions::SequentialScan);
    if (!archive_->CanRead()) throw MessageFailure(kArchiveOpenFailed);
    archiveSize_ = archive_->GetLength();
    progress_.SetPos(0);
    progress_.SetRange(0, 100);
    progress_.SetText(FormatWithName(kUpdatingFormat, params_.GetName()));
    if (!header_.Read(archive_)) throw MessageFailure(kArchiveHeaderReadFailed);
    revision_ = header_.revision;
    return revision_ < params_.revision;
}

void ArchiveUpdate::CreateTemporaryArchive(const std::string& installFolder) {
    temp_ = std::make_shared<Common::CTempFile>();
    if (!temp_->Create(kTempPrefix, installFolder)) throw MessageFailure(kTempNameFailed);
    output_ = std::make_shared<FileStream>(temp_->Path(), Common::CreateAlways,
                                           Common::FileAccess::Write, Common::FileShare::None,
                                           Common::FileOptions::SequentialScan);
    if (!output_->CanWrite()) throw MessageFailure(kTempCreateFailed);
}

void ArchiveUpdate::CheckCancel() {
    progress_.PumpMessages();
    if (progress_.TakeCancelRequest()) throw MessageFailure(kCancelled);
}

// The first removal record not yet used, at or above the archive's revision, with this name.
std::shared_ptr<ArchiverParams::revome> ArchiveUpdate::FindRemoval(const std::string& name) const {
    for (const auto& removal : params_.removals) {
        if (!removal->done && removal->revision >= revision_ && removal->name == name) {
            return removal;
        }
    }
    return nullptr;
}

// The entry's data, checked against what is left of the archive before anything is allocated.
std::vector<std::uint8_t> ArchiveUpdate::ReadEntryData() {
    std::int64_t left = archiveSize_ - archive_->GetPosition();
    if (entry_.dataSize > left) throw MessageFailure(kEntryReadFailed);
    std::vector<std::uint8_t> data(entry_.dataSize);
    if (!data.empty() && !archive_->Read(data.data(), entry_.dataSize)) {
        throw MessageFailure(kEntryReadFailed);
    }
    return data;
}

void ArchiveUpdate::CopyKeptEntries() {
    while (entry_.Read(archive_) != 0) {
        CheckCancel();
        if (auto removal = FindRemoval(entry_.name)) {
            removal->done = 1;
            archive_->Seek(entry_.dataSize, 1);
        } else {
            std::vector<std::uint8_t> data = ReadEntryData();
            entry_.Write(output_);
            if (!data.empty()) Common::BinaryWriter(output_).Write(data);
        }
        progress_.SetPos(Percent(static_cast<double>(archive_->GetPosition()),
                                 static_cast<double>(archiveSize_)));
    }
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
    FillEntryFromPayload(entry_, payload);
    entry_.Write(output_);
    if (!payload.data.empty()) Common::BinaryWriter(output_).Write(payload.data);
}

}  // namespace

void UpdateArchive(ProgressSink& progress, const std::string& installFolder,
                   const CPatchScript& script, ArchiverParams& params) {
    params.baseFolder = installFolder;
    RequireInsideFolder(params.relativePath);
    ArchiveUpdate(progress, script, params).Run(installFolder);
}

}  // namespace Orvane
