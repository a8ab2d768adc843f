#include "author/release_warnings.h"

#include <filesystem>
#include <optional>

#include "author/archive_image.h"
#include "author/host_files.h"

namespace Orvane::Author {
namespace {

// An old release against the new one: whether they hold the same files, and how the files that
// differ lean: those whose new copy is older (or, for an archive, of a lower revision) against
// those whose new copy is newer.
struct Likeness {
    bool same = true;
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

// Every file pair is digested here that the diff would digest anyway; the digests stay.
Likeness LikenessOf(const Release& old, const Release& newer, const DiffOptions& options) {
    Likeness likeness{old.Items().size() == newer.Items().size()};
    for (const auto& [key, file] : newer.Items()) {
        StopIfAsked(options.stop);
        options.progress->Advance(file.size);
        const ReleaseItem* there = old.Find(key);
        if (there == nullptr || there->isFolder != file.isFolder) likeness.same = false;
        if (there == nullptr || file.isFolder || there->isFolder) continue;
        if (SameContents(old, *there, newer, file)) continue;
        likeness.same = false;
        int step = RevisionStep(*there, file);
        if (step == 0 && file.modified == there->modified) continue;
        bool older = step != 0 ? step < 0 : file.modified < there->modified;
        ++(older ? likeness.older : likeness.newer);
    }
    return likeness;
}

bool GivenBefore(const std::vector<Release>& olds, std::size_t index) {
    std::error_code error;
    for (std::size_t i = 0; i < index; ++i) {
        if (std::filesystem::equivalent(olds[i].Root(), olds[index].Root(), error)) return true;
    }
    return false;
}

}  // namespace

std::vector<std::string> ReleaseWarnings(const std::vector<Release>& olds, const Release& newer,
                                         const DiffOptions& options) {
    options.progress->Begin(kStageDigesting, newer.FileBytes() * olds.size());
    std::vector<std::string> warnings;
    auto warn = [&](const char* text, const Release& old) {
        warnings.push_back(std::string(text) + ": " + MessagePath(old.Root()));
    };
    for (std::size_t i = 0; i < olds.size(); ++i) {
        if (GivenBefore(olds, i)) {
            warn(kOldGivenTwice, olds[i]);
            continue;
        }
        Likeness likeness = LikenessOf(olds[i], newer, options);
        if (likeness.same) warn(kNewEqualsOld, olds[i]);
        if (likeness.older > likeness.newer) warn(kNewLooksOlder, olds[i]);
    }
    return warnings;
}

}  // namespace Orvane::Author
