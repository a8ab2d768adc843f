#include "commands/delete_command.h"

#include "commands/install_rules.h"
#include "commands/progress_text.h"
#include "commands/safe_path.h"
#include "common/failure.h"
#include "common/file_status.h"
#include "platform/os.h"

namespace Orvane {

CommandOutcome CmdDelete(ProgressSink& progress, const std::string& installFolder, DeleteParams& params) {
    progress.SetPos(0);
    progress.SetRange(0, 2);
    progress.SetText(FormatWithName(kDeletingFormat, params.GetName()));
    params.baseFolder = installFolder;
    RequireInsideFolder(params.relativePath);
    Common::FileStatus status;
    CommandOutcome outcome{CommandEffect::Absent};
    if (Common::GetFileStatus(params.GetFullPath(), &status)) {
        progress.SetPos(1);
        if (RefusesDeletion(status.attributes) || !Os::DeleteFile(params.GetFullPath())) {
            throw MessageFailure(kUpdateFileNotDeleted);
        }
        outcome.effect = CommandEffect::Deleted;
    }
    progress.SetPos(2);
    return outcome;
}

}  // namespace Orvane
