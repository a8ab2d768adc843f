#include "commands/payload_entry.h"

namespace Orvane {

void FillEntryFromPayload(ArcEntry& entry, const PicFile& payload) {
    const Basic::CTime& modified = *payload.modified;
    entry.kind = payload.kind;
    entry.year = static_cast<std::uint16_t>(modified.GetYear());
    entry.month = static_cast<std::uint8_t>(modified.GetMonth());
    entry.day = static_cast<std::uint8_t>(modified.GetDay());
    entry.hour = static_cast<std::uint8_t>(modified.GetHour());
    entry.minute = static_cast<std::uint8_t>(modified.GetMinute());
    entry.second = static_cast<std::uint8_t>(modified.GetSecond());
    entry.name = payload.name;
    entry.storedName.clear();
    entry.dataSize = static_cast<std::uint32_t>(payload.data.size());
}

}  // namespace Orvane
