#include "author/archive_diff.h"

#include <algorithm>
#include <map>

#include "author/archive_rebuild.h"
#include "author/entry_addability.h"
#include "author/removal_records.h"

namespace Orvane::Author {
namespace {

using NameCounts = std::map<std::string, std::size_t>;

NameCounts CountNames(const std::vector<ArchiveEntry>& entries, std::size_t count) {
    NameCounts names;
    for (std::size_t i = 0; i < count; ++i) ++names[entries[i].fields.name];
    return names;
}

using EntryCounts = std::map<EntryBytes, std::size_t>;

// The entries of a copy that a rebuild writes exactly so, counted by their bytes.
EntryCounts Keepable(const ArchiveImage& copy) {
    EntryCounts available;
    for (const ArchiveEntry& entry : copy.entries) {
        if (entry.kept) ++available[*entry.kept];
    }
    return available;
}

// Takes one entry of these bytes from available; false when there is none left.
bool Take(EntryCounts& available, const EntryBytes& bytes) {
    auto found = available.find(bytes);
    if (found == available.end() || found->second == 0) return false;
    --found->second;
    return true;
}

// How many of newer's first entries the copy can keep at all: each one needs an entry of its
// own in the copy that a rebuild writes exactly so.
std::size_t KeepableStart(const ArchiveImage& newer, const ArchiveImage& copy) {
    EntryCounts available = Keepable(copy);
    std::size_t count = 0;
    while (count < newer.entries.size() && Take(available, newer.entries[count].stored)) ++count;
    return count;
}

// Counts the additions that every rebuilt copy still holds beside the kept start: their bytes
// did not change, only what comes before them did.
void CountReordered(const ArchiveImage& newer, std::size_t keep,
                    const std::vector<const ArchiveImage*>& rebuilt, ArchiveUpdatePlan& plan) {
    std::vector<EntryCounts> left;
    for (const ArchiveImage* copy : rebuilt) {
        left.push_back(Keepable(*copy));
        for (std::size_t i = 0; i < keep; ++i) Take(left.back(), newer.entries[i].stored);
    }
    for (std::size_t index : plan.additions) {
        const ArchiveEntry& entry = newer.entries[index];
        bool everywhere = std::all_of(left.begin(), left.end(), [&](const EntryCounts& counts) {
            auto found = counts.find(entry.stored);
            return found != counts.end() && found->second > 0;
        });
        if (!everywhere) continue;
        for (EntryCounts& counts : left) Take(counts, entry.stored);
        ++plan.reordered;
        plan.reorderedBytes += entry.fields.dataSize;
    }
}

using NameNeeds = std::map<std::string, std::vector<RemovalNeed>>;

// What each copy must lose of every name for the first `keep` of newer's entries to survive:
// exactly its surplus of a name that is kept, all of a name that is not. Nothing when a copy
// has too few entries of a kept name.
std::optional<NameNeeds> Needs(const NameCounts& keep,
                               const std::vector<const ArchiveImage*>& rebuilt) {
    NameNeeds needs;
    for (const ArchiveImage* copy : rebuilt) {
        NameCounts have = CountNames(copy->entries, copy->entries.size());
        for (const auto& [name, kept] : keep) have.emplace(name, 0);
        for (const auto& [name, count] : have) {
            auto kept = keep.find(name);
            std::size_t keeping = kept == keep.end() ? 0 : kept->second;
            if (count < keeping) return std::nullopt;
            if (keeping > 0 || count > 0) {
                needs[name].push_back({copy->header.revision, count - keeping, keeping == 0});
            }
        }
    }
    return needs;
}

std::optional<std::vector<ArchiveRemoval>> Removals(
    const ArchiveImage& newer, std::size_t keep, const std::vector<const ArchiveImage*>& rebuilt) {
    std::optional<NameNeeds> needs = Needs(CountNames(newer.entries, keep), rebuilt);
    if (!needs) return std::nullopt;
    std::vector<ArchiveRemoval> removals;
    for (auto& [name, need] : *needs) {
        std::optional<std::vector<ArchiveRemoval>> records = RemovalsFor(name, need);
        if (!records) return std::nullopt;
        removals.insert(removals.end(), records->begin(), records->end());
    }
    return removals;
}

// Whether every rebuilt copy keeps exactly newer's first `keep` entries under these removals.
bool KeepsStart(const ArchiveImage& newer, std::size_t keep,
                const std::vector<const ArchiveImage*>& rebuilt,
                const std::vector<ArchiveRemoval>& removals) {
    std::vector<EntryBytes> start;
    for (std::size_t i = 0; i < keep; ++i) start.push_back(newer.entries[i].stored);
    return std::all_of(rebuilt.begin(), rebuilt.end(), [&](const ArchiveImage* copy) {
        return KeptEntries(*copy, removals) == start;
    });
}

std::optional<ArchiveUpdatePlan> TryKeeping(const ArchiveImage& newer, std::size_t keep,
                                            const std::vector<const ArchiveImage*>& rebuilt,
                                            std::uint16_t target) {
    std::optional<std::vector<ArchiveRemoval>> removals = Removals(newer, keep, rebuilt);
    if (!removals || !KeepsStart(newer, keep, rebuilt, *removals)) return std::nullopt;
    ArchiveUpdatePlan plan{target, std::move(*removals), {}};
    for (std::size_t i = keep; i < newer.entries.size(); ++i) plan.additions.push_back(i);
    CountReordered(newer, keep, rebuilt, plan);
    return plan;
}

std::string WholeArchiveProblem(const ArchiveImage& newer, std::uint16_t target) {
    if (!newer.endsAtMarker) return kTrailingBytes;
    ArcHeader header = newer.header;
    header.revision = target;
    if (WrittenHeader(header) != newer.head) return kHeaderNotRewritten;
    return "";
}

// How many of newer's entries must be kept: up to the last one that no payload can add, whose
// reason goes into notAddable.
std::size_t MustKeep(const ArchiveImage& newer, std::string& notAddable) {
    for (std::size_t i = newer.entries.size(); i-- > 0;) {
        std::string why = WhyNotAddable(newer.entries[i]);
        if (why.empty()) continue;
        notAddable =
            std::string(kEntryNotAddable) + " " + newer.entries[i].fields.name + ": " + why;
        return i + 1;
    }
    return 0;
}

}  // namespace

ArchiveDiff DiffArchive(const ArchiveImage& newer, const std::vector<const ArchiveImage*>& rebuilt,
                        std::uint16_t target) {
    if (std::string problem = WholeArchiveProblem(newer, target); !problem.empty()) {
        return {std::nullopt, problem};
    }
    std::string notAddable;
    std::size_t lowest = MustKeep(newer, notAddable);
    std::size_t highest = newer.entries.size();
    for (const ArchiveImage* copy : rebuilt) {
        highest = std::min(highest, KeepableStart(newer, *copy));
    }
    for (std::size_t keep = highest + 1; keep-- > lowest;) {
        if (auto plan = TryKeeping(newer, keep, rebuilt, target)) return {plan, ""};
    }
    return {std::nullopt, notAddable.empty() ? std::string(kNoRemovalsFit) : notAddable};
}

}  // namespace Orvane::Author
