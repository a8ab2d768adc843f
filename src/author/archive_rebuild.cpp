#include "author/archive_rebuild.h"

#include <map>
#include <string>

#include "author/entry_image.h"

namespace Orvane::Author {

// For one archive the records that can remove an entry of a name are fixed by the archive's
// revision, and which of them an entry uses up changes nothing for later entries: so counting
// the usable records per name decides exactly what the first-unused-record rule decides.
std::optional<std::vector<EntryBytes>> KeptEntries(const ArchiveImage& archive,
                                                   const std::vector<ArchiveRemoval>& removals) {
    std::map<std::string, std::size_t> usable;
    for (const ArchiveRemoval& removal : removals) {
        if (removal.revision >= archive.header.revision) ++usable[AfterContainer(removal.name)];
    }
    std::vector<EntryBytes> kept;
    for (const ArchiveEntry& entry : archive.entries) {
        auto found = usable.find(entry.fields.name);
        if (found != usable.end() && found->second > 0) {
            --found->second;
        } else if (entry.kept) {
            kept.push_back(*entry.kept);
        } else {
            return std::nullopt;
        }
    }
    return kept;
}

}  // namespace Orvane::Author
