#include "commands/archive_rules.h"

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

bool TakeRemoval(ArchiverParams& params, std::uint32_t archiveRevision,
                 const std::string& entryName) {
    for (const auto& removal : params.removals) {
        if (!removal->done && removal->revision >= archiveRevision && removal->name == entryName) {
            removal->done = 1;
            return true;
        }
    }
    return false;
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
    entry.dataSize = static_cast<std::uint32_t>(payload.data.size());
}

}  // namespace Orvane
