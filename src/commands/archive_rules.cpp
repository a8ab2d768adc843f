#include "commands/archive_rules.h"

#include "commands/archive_update.h"
#include "common/failure.h"
#include "common/file_status.h"

namespace Orvane {

std::shared_ptr<Common::FileStream> OpenArchiveForUpdate(const std::string& path) {
    return std::make_shared<Common::FileStream>(path, Common::OpenExisting,
                                                Common::FileAccess::Read, Common::FileShare::None,
                                                Common::FileOptions::SequentialScan);
}

bool IsAtOrPastTarget(std::uint32_t archiveRevision, std::uint16_t targetRevision) {
    return archiveRevision >= targetRevision;
}

bool RefusesArchiveSwap(std::uint8_t attributes) {
    return (attributes & Common::kReadOnly) != 0;
}

void RequireSwappableArchive(const std::string& path) {
    Common::FileStatus status;
    if (Common::GetFileStatus(path, &status) && RefusesArchiveSwap(status.attributes)) {
        throw MessageFailure(kArchiveReplaceFailed);
    }
}

void DescribeAddedEntry(const PicFile& payload, ArcEntry& entry) {
    const Basic::CTime& modified = *payload.modified;
    entry.kind = payload.kind;
    entry.year = static_cast<std::uint16_t>(modified.GetYear());
    entry.month = static_cast<std::uint8_t>(modified.GetMonth());
    entry.day = static_cast<std::uint8_t>(modified.GetDay());
    entry.hour = static_cast<std::uint8_t>(modified.GetHour());
    entry.minute = static_cast<std::uint8_t>(modified.GetMinute());
    entry.second = static_cast<std::uint8_t>(modified.GetSecond());
    entry.name = payload.name;
    entry.storedName.clear();  // an added entry is named from the payload, never a kept entry
    entry.dataSize = payload.dataSize;
}

}  // namespace Orvane
