#include "author/removal_records.h"

#include <algorithm>

namespace Orvane::Author {
namespace {

void Append(std::vector<ArchiveRemoval>& records, const std::string& name, std::uint32_t revision,
            std::size_t count) {
    records.insert(records.end(), count,
                   ArchiveRemoval{static_cast<std::uint16_t>(revision), name});
}

std::vector<ArchiveRemoval> AtHighestRevision(const std::string& name,
                                              const std::vector<RemovalNeed>& needs) {
    std::uint32_t revision = 0;
    std::size_t count = 0;
    for (const RemovalNeed& need : needs) {
        revision = std::max(revision, need.revision);
        count = std::max(count, need.count);
    }
    std::vector<ArchiveRemoval> records;
    Append(records, name, revision, count);
    return records;
}

}  // namespace

std::optional<std::vector<ArchiveRemoval>> RemovalsFor(const std::string& name,
                                                       std::vector<RemovalNeed> needs) {
    if (needs.empty()) return std::vector<ArchiveRemoval>{};
    if (needs.front().orMore) return AtHighestRevision(name, needs);
    std::sort(needs.begin(), needs.end(),
              [](const RemovalNeed& a, const RemovalNeed& b) { return a.revision < b.revision; });
    std::vector<ArchiveRemoval> records;
    for (std::size_t i = 0; i < needs.size(); ++i) {
        const RemovalNeed& need = needs[i];
        std::size_t higher = i + 1 < needs.size() ? needs[i + 1].count : 0;
        bool sameLevel = i + 1 < needs.size() && needs[i + 1].revision == need.revision;
        if (sameLevel ? higher != need.count : higher > need.count) return std::nullopt;
        if (!sameLevel) Append(records, name, need.revision, need.count - higher);
    }
    return records;
}

}  // namespace Orvane::Author
