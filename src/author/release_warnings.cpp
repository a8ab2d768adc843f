#include "author/release_warnings.h"

#include <filesystem>
#include <optional>

#include "author/archive_image.h"
#include "author/host_files.h"

namespace Orvane::Author {
namespace {

// How the files that differ between an old release and the new one lean: those whose new copy
// is older (or, for an archive, of a lower revision) against those whose new copy is newer.
struct Leaning {
    std::size_t older = 0;
    std::size_t newer = 0;
};

// -1 when the new archive's revision is below the old one's, 1 above, 0 when there is none to
// compare ("LINK3" keeps none).
int RevisionStep(const ReleaseItem& old, const ReleaseItem& file) {
    std::optional<ArcHeader> before = ReadArchiveHeader(old.host);
    std::optional<ArcHeader> after = ReadArchiveHeader(file.host);
    if (!before || !after || after->magic == kMagicLink3 || before->revision == after->revision) {
        return 0;
    }
    return after->revision < before->revision ? -1 : 1;
}

Leaning LeaningOf(const Release& old, const Release& newer) {
    Leaning leaning;
    for (const auto& [key, file] : newer.Items()) {
        const ReleaseItem* there = old.Find(key);
        if (file.isFolder || there == nullptr || there->isFolder) continue;
        if (file.modified == there->modified || SameContents(old, *there, newer, file)) continue;
        int step = RevisionStep(*there, file);
        bool older = step != 0 ? step < 0 : file.modified < there->modified;
        ++(older ? leaning.older : leaning.newer);
    }
    return leaning;
}

bool SameFiles(const Release& old, const Release& newer) {
    if (old.Items().size() != newer.Items().size()) return false;
    for (const auto& [key, file] : newer.Items()) {
        const ReleaseItem* there = old.Find(key);
        if (there == nullptr || there->isFolder != file.isFolder) return false;
        if (!file.isFolder && there->size != file.size) return false;
    }
    for (const auto& [key, file] : newer.Items()) {
        if (!file.isFolder && !SameContents(old, *old.Find(key), newer, file)) return false;
    }
    return true;
}

bool GivenBefore(const std::vector<Release>& olds, std::size_t index) {
    std::error_code error;
    for (std::size_t i = 0; i < index; ++i) {
        if (std::filesystem::equivalent(olds[i].Root(), olds[index].Root(), error)) return true;
    }
    return false;
}

}  // namespace

std::vector<std::string> ReleaseWarnings(const std::vector<Release>& olds, const Release& newer) {
    std::vector<std::string> warnings;
    auto warn = [&](const char* text, const Release& old) {
        warnings.push_back(std::string(text) + ": " + MessagePath(old.Root()));
    };
    for (std::size_t i = 0; i < olds.size(); ++i) {
        if (GivenBefore(olds, i)) {
            warn(kOldGivenTwice, olds[i]);
        } else if (SameFiles(olds[i], newer)) {
            warn(kNewEqualsOld, olds[i]);
        } else if (Leaning leaning = LeaningOf(olds[i], newer); leaning.older > leaning.newer) {
            warn(kNewLooksOlder, olds[i]);
        }
    }
    return warnings;
}

}  // namespace Orvane::Author
