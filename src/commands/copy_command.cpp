#include "commands/copy_command.h"

#include "commands/progress_text.h"
#include "commands/safe_path.h"
#include "common/failure.h"
#include "common/file_stream.h"
#include "common/file_status.h"
#include "common/temp_file.h"
#include "platform/os.h"

namespace Orvane {
namespace {

using Common::FileStatus;

constexpr char kTempPrefix[] = "tmp";

bool InstalledIsNewEnough(const std::string& path, const PicFile& payload) {
    FileStatus status;
    return Common::GetFileStatus(path, &status) && status.modified >= *payload.modified;
}

// Writes the payload into a new temporary file in the destination folder (made if missing).
// Fails before anything of the installation is touched.
void WritePayload(Common::CTempFile& temp, const CopyParams& params) {
    temp.Delete();
    std::optional<std::string> path = temp.Create(kTempPrefix, params.GetFolder());
    const std::vector<std::uint8_t>& data = params.file->data;
    Common::FileStream stream;
    if (!path || !stream.Open(*path, Common::CreateAlways, Common::FileAccess::Write,
                              Common::FileShare::None, Common::FileOptions::SequentialScan)) {
        throw MessageFailure(kUpdateFileNotCreated);
    }
    std::uint32_t written = 0;
    auto size = static_cast<std::uint32_t>(data.size());
    if (!data.empty() && (!stream.Write(data.data(), size, &written) || written != size)) {
        throw MessageFailure(kUpdateFileNotCreated);
    }
    stream.Close();
}

void StampWithPayloadTimes(const std::string& path, const PicFile& payload) {
    FileStatus status;
    if (!Common::GetFileStatus(path, &status)) throw MessageFailure(kUpdateFileNotFound);
    status.created = *payload.created;
    status.modified = *payload.modified;
    Common::SetFileStatus(path, status);
}

}  // namespace

void CmdCopy(ProgressSink& progress, const std::string& installFolder, CopyParams& params,
             CErrorMessages& errorMessages) {
    errorMessages.Clear();
    errorMessages.Add(params.GetName());
    progress.SetPos(0);
    progress.SetRange(0, 2);
    progress.SetText(FormatWithName(kCopyingFormat, params.GetName()));
    params.baseFolder = installFolder;
    RequireInsideFolder(params.relativePath + params.GetName());
    // Without a freshness test that sees the destination, a newer installed file would be
    // overwritten: such a destination is refused before anything is written.
    if (!Common::CanLookUpStatus(params.GetFullPath())) {
        throw MessageFailure(kUpdateFileNotCreated);
    }
    if (InstalledIsNewEnough(params.GetFullPath(), *params.file)) {
        progress.SetPos(2);
        return;
    }
    Common::CTempFile temp;
    WritePayload(temp, params);
    progress.PumpMessages();
    if (progress.TakeCancelRequest()) {
        errorMessages.Add(kCopyCancelled);
        throw MessageFailure(errorMessages.Text());
    }
    progress.SetPos(1);
    if (!Os::CopyFile(temp.Path(), params.GetFullPath(), false)) {
        throw MessageFailure(kUpdateFileNotCreated);
    }
    StampWithPayloadTimes(params.GetFullPath(), *params.file);
    progress.SetPos(2);
}

}  // namespace Orvane
