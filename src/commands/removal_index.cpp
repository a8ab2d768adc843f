#include "commands/removal_index.h"

namespace Orvane {

RemovalIndex::RemovalIndex(const std::vector<Removal>& removals, std::uint32_t archiveRevision) {
    for (const Removal& removal : removals) {
        if (!removal->done && removal->revision >= archiveRevision) {
            byName_[removal->name].push_back(removal);
        }
    }
}

RemovalIndex::Removal RemovalIndex::Take(const std::string& name) {
    auto found = byName_.find(name);
    if (found == byName_.end()) return nullptr;
    Removal removal = found->second.front();
    found->second.pop_front();
    if (found->second.empty()) byName_.erase(found);
    removal->done = 1;
    return removal;
}

}  // namespace Orvane
