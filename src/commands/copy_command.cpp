#include "commands/copy_command.h"

#include <optional>

#include "commands/install_rules.h"
#include "commands/progress_text.h"
#include "commands/safe_path.h"
#include "common/ansi_path.h"
#include "common/buffered_writer.h"
#include "common/ctime.h"
#include "common/failure.h"
#include "common/file_stream.h"
#include "common/file_status.h"
#include "common/temp_file.h"
#include "platform/os.h"

namespace Orvane {
namespace {

using Common::FileStatus;

constexpr char kTempPrefix[] = "tmp";

// The installed file's status, or nothing when there is none yet.
std::optional<FileStatus> InstalledStatus(const std::string& path) {
    FileStatus status;
    if (!Common::GetFileStatus(path, &status)) return std::nullopt;
    return status;
}

// A read-only or hidden file (or a folder) is not written over; Windows' copy refuses it too.
bool RefusesDestination(const std::string& path) {
    FileStatus status;
    return Common::GetFileStatus(path, &status) && RefusesOverwrite(status.attributes);
}

// Gives the file the payload's times through its open handle. The temporary file is stamped
// so, so that the swap puts the file in place already stamped: a run that stops right after
// the swap never leaves new contents with the time of the run, which a later run would take
// as up to date.
bool StampThroughHandle(const Common::FileStream& stream, const PicFile& payload) {
    return Common::SetFileTimes(stream, *payload.created, Basic::CTime(), *payload.modified);
}

// Whether the installed file stays: it is as new as the payload or newer, and the caller does
// not have it replaced all the same.
bool KeepsInstalled(const std::optional<FileStatus>& installed, const CopyParams& params,
                    const NewerFileDecision& replaceNewer) {
    return installed && IsAsNewAsPayload(installed->modified, *params.file->modified) &&
           !(replaceNewer && replaceNewer(params));
}

// Writes the payload, with its times, into a new temporary file in the folder that will hold
// the destination (made if missing; a payload's name may name a subfolder of its own), so
// that the swap is one rename on one file system. Fails before anything of the installation
// is touched. flush: the data goes to the disk through the open file, sparing the swap a
// second open.
void WritePayload(Common::CTempFile& temp, const CopyParams& params, bool flush) {
    temp.Delete();
    std::optional<std::string> path =
        temp.Create(kTempPrefix, Common::FolderHoldingFile(params.GetFullPath()));
    auto stream = std::make_shared<Common::FileStream>();
    if (!path || !stream->Open(*path, Common::CreateAlways, Common::FileAccess::Write,
                               Common::FileShare::None, Common::FileOptions::SequentialScan)) {
        throw MessageFailure(kUpdateFileNotCreated);
    }
    Common::BufferedWriter writer(stream);
    if (!params.file->WriteData(writer) || !writer.Flush() ||
        !StampThroughHandle(*stream, *params.file)) {
        throw MessageFailure(kUpdateFileNotCreated);
    }
    if ((flush && !stream->FlushToDisk()) || !writer.CloseChecked()) {
        throw MessageFailure(kUpdateFileNotCreated);
    }
}

// Puts the written temporary file in place of the destination in one atomic step, once its
// data is on the disk, so that neither a failure nor a power loss leaves the installed file
// damaged. A read-only or hidden destination is refused, as a copy over it would be. A
// destination that the freshness test found missing is not looked for again (on Wine and on
// Linux a missing name costs a search of its whole folder): the swap refuses a read-only file
// that appeared there since.
void PutInPlace(const std::string& temporary, const std::string& destination,
                bool installedBefore) {
    if ((installedBefore && RefusesDestination(destination)) ||
        !Os::ReplaceFile(temporary, destination)) {
        throw MessageFailure(kUpdateFileNotCreated);
    }
}

// Puts the written file in place of a destination that was taken to be missing without
// looking it up (Os::WasMissingFromSnapshot), as long as no file has that name. When one has
// (another program made it since), it is looked at now, as the copy would have looked at it
// before writing: kept when as new as the payload, refused when read-only or hidden, else
// replaced. False when it is kept.
bool PlaceGuessedNew(const std::string& temporary, const CopyParams& params,
                     const NewerFileDecision& replaceNewer) {
    const std::string destination = params.GetFullPath();
    Os::Placement placement = Os::PlaceNewFile(temporary, destination);
    if (placement == Os::Placement::Placed) return true;
    if (placement == Os::Placement::Failed) throw MessageFailure(kUpdateFileNotCreated);
    std::optional<FileStatus> installed = InstalledStatus(destination);
    if (KeepsInstalled(installed, params, replaceNewer)) return false;
    PutInPlace(temporary, destination, installed.has_value());
    return true;
}

// Stamps the file in place through a handle of its own; a file that cannot be opened so is
// looked up first, and is then stamped as well as its attributes allow, or reported missing.
void StampWithPayloadTimes(const std::string& path, const PicFile& payload) {
    Common::FileStream stream(path, Common::OpenExisting,
                              Common::FileAccess::Read | Common::FileAccess::Write,
                              Common::FileShare::Read);
    if (stream.CanWrite()) {
        StampThroughHandle(stream, payload);
        return;
    }
    FileStatus status;
    if (!Common::GetFileStatus(path, &status)) throw MessageFailure(kUpdateFileNotFound);
    status.created = *payload.created;
    status.modified = *payload.modified;
    Common::SetFileStatus(path, status);
}

}  // namespace

PreparedCopy PrepareCopy(ProgressSink& progress, const std::string& installFolder,
                         CopyParams& params, CErrorMessages& errorMessages,
                         const NewerFileDecision& replaceNewer, WrittenData flush) {
    errorMessages.Clear();
    errorMessages.Add(params.GetName());
    progress.SetPos(0);
    progress.SetRange(0, 2);
    progress.SetText(FormatWithName(kCopyingFormat, params.GetName()));
    params.baseFolder = installFolder;
    RequireCopyInsideFolder(params);
    RequireVisibleDestination(params);
    PreparedCopy prepared;
    // A name that its folder did not hold when the run first looked there is not looked up
    // again: the swap finds out whether it is still free.
    prepared.guessedMissing = Os::WasMissingFromSnapshot(params.GetFullPath());
    std::optional<FileStatus> installed =
        prepared.guessedMissing ? std::nullopt : InstalledStatus(params.GetFullPath());
    if (KeepsInstalled(installed, params, replaceNewer)) {
        progress.SetPos(2);
        prepared.outcome = {CommandEffect::KeptNewer};
        return prepared;
    }
    // Refused before the payload is written, as the swap would refuse it: a run that gathers
    // copies then stops before it has written any of those after this one.
    if (installed && RefusesOverwrite(installed->attributes)) {
        throw MessageFailure(kUpdateFileNotCreated);
    }
    prepared.installedBefore = installed.has_value();
    prepared.replaceNewer = replaceNewer;
    prepared.temp = std::make_unique<Common::CTempFile>();
    WritePayload(*prepared.temp, params, flush == WrittenData::Flush);
    prepared.dataOnDisk = flush == WrittenData::Flush;
    progress.PumpMessages();
    if (progress.TakeCancelRequest()) {
        errorMessages.Add(kCopyCancelled);
        throw MessageFailure(errorMessages.Text());
    }
    progress.SetPos(1);
    prepared.outcome = {CommandEffect::Copied};
    return prepared;
}

CommandOutcome FinishCopy(ProgressSink& progress, const CopyParams& params,
                          PreparedCopy& prepared) {
    if (!prepared.temp) return prepared.outcome;
    const std::string& temporary = prepared.temp->Path();
    if (!(prepared.dataOnDisk || Os::FlushFileToDisk(temporary))) {
        throw MessageFailure(kUpdateFileNotCreated);
    }
    if (!prepared.guessedMissing) {
        PutInPlace(temporary, params.GetFullPath(), prepared.installedBefore);
    } else if (!PlaceGuessedNew(temporary, params, prepared.replaceNewer)) {
        prepared.temp.reset();
        progress.SetPos(2);
        return {CommandEffect::KeptNewer};
    }
    prepared.temp->Forget();
    prepared.temp.reset();
    // Stamped again after the swap (the temporary file was stamped already), because Windows
    // may give a file that takes a just-removed file's name the old file's creation time.
    if (Os::MayTunnelCreationTimes()) StampWithPayloadTimes(params.GetFullPath(), *params.file);
    progress.SetPos(2);
    return prepared.outcome;
}

CommandOutcome CmdCopy(ProgressSink& progress, const std::string& installFolder,
                       CopyParams& params, CErrorMessages& errorMessages,
                       const NewerFileDecision& replaceNewer) {
    PreparedCopy prepared = PrepareCopy(progress, installFolder, params, errorMessages,
                                        replaceNewer, WrittenData::Flush);
    return FinishCopy(progress, params, prepared);
}

}  // namespace Orvane
