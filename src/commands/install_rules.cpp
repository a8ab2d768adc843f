#include "commands/install_rules.h"

#include "commands/copy_command.h"
#include "commands/safe_path.h"
#include "common/failure.h"
#include "common/file_status.h"

namespace Orvane {

bool IsAsNewAsPayload(const Basic::CTime& installed, const Basic::CTime& payload) {
    return installed >= payload;
}

bool RefusesOverwrite(std::uint8_t attributes) {
    return (attributes & (Common::kReadOnly | Common::kHidden | Common::kDirectory)) != 0;
}

bool RefusesDeletion(std::uint8_t attributes) {
    return (attributes & (Common::kReadOnly | Common::kDirectory)) != 0;
}

std::string CopyDestination(const CopyParams& params) {
    return params.relativePath + params.GetName();
}

void RequireVisibleDestination(const CopyParams& params) {
    if (!Common::CanLookUpStatus(params.GetFullPath())) throw MessageFailure(kUpdateFileNotCreated);
}

std::string RecordPath(const ICmdParams& command) {
    switch (command.type) {
        case kCopyCommand: return CopyDestination(static_cast<const CopyParams&>(command));
        case kDeleteCommand: return static_cast<const DeleteParams&>(command).relativePath;
        default: return static_cast<const ArchiverParams&>(command).relativePath;
    }
}

void RequireCopyInsideFolder(const CopyParams& params) {
    RequireInsideFolder(params.relativePath);
    RequireInsideFolder(CopyDestination(params));
}

}  // namespace Orvane
