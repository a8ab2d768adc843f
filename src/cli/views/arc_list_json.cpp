#include "cli/views/arc_list_json.h"

#include <nlohmann/json.hpp>

#include "cli/views/info_text.h"
#include "link/arc_header.h"

namespace Orvane::Cli {
namespace {

using Json = nlohmann::ordered_json;

constexpr int kIndent = 2;

Json EntryObject(std::size_t index, const ArcEntry& entry) {
    std::string time = FormatTimeStamp(EntryTimeStamp(entry));
    time[time.find(' ')] = 'T';  // "2024-03-05 14:30:00" -> "2024-03-05T14:30:00"
    return {{"index", index}, {"kind", entry.kind}, {"time", time}, {"size", entry.dataSize},
            {"name", EntryNameUtf8(entry)}};
}

// "LINK3" stores no revision.
Json RevisionOf(const ArcHeader& header) {
    return header.magic == kMagicLink3 ? Json(nullptr) : Json(header.revision);
}

}  // namespace

std::string ArchiveJson(const OpenedArchive& archive) {
    const ArcHeader& header = archive.listing.header;
    Json entries = Json::array();
    for (std::size_t i = 0; i < archive.listing.entries.size(); ++i) {
        entries.push_back(EntryObject(i, archive.listing.entries[i].header));
    }
    Json document = {{"layout", header.magic},
                     {"revision", RevisionOf(header)},
                     {"tag", TagUtf8(header)},
                     {"entries", std::move(entries)}};
    if (!archive.damage.empty()) document["error"] = archive.damage;
    return document.dump(kIndent, ' ', false, Json::error_handler_t::replace);
}

}  // namespace Orvane::Cli
