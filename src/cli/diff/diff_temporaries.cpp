#include "cli/diff/diff_temporaries.h"

#include <algorithm>
#include <random>
#include <string>
#include <string_view>

#include "author/host_files.h"
#include "common/utf8_path.h"
#include "common/failure.h"
#include "cli/diff/temporary_entries.h"

namespace Orvane::Cli {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTemporaryMark = ".tmp-";
constexpr int kAttempts = 100;
constexpr char kScratchName[] = "orvpatch-check";

[[noreturn]] void Fail(const fs::path& place) {
    throw MessageFailure(std::string(kTemporaryNotMade) + ": " + Author::MessagePath(place));
}

// Tries names PLACE.tmp-NUMBER until make(name) makes one.
template <typename Make>
fs::path CreateMarked(const fs::path& place, Make make) {
    std::random_device random;
    for (int i = 0; i < kAttempts; ++i) {
        fs::path candidate = place;
        candidate += std::string(kTemporaryMark) + std::to_string(random());
        Creation creation = make(candidate);
        if (creation == Creation::NameTaken) continue;
        if (creation == Creation::Failed) break;
        return candidate;
    }
    Fail(place);
}

bool IsTemporaryName(std::string_view name) {
    std::size_t mark = name.rfind(kTemporaryMark);
    if (mark == std::string_view::npos || mark == 0) return false;
    std::string_view number = name.substr(mark + kTemporaryMark.size());
    return !number.empty() && std::all_of(number.begin(), number.end(),
                                          [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

fs::path CreateMarkedFile(const fs::path& place) {
    return CreateMarked(place, MakeMarkedFile);
}

fs::path CreateMarkedFolder(const fs::path& place) {
    return CreateMarked(place, MakeMarkedFolder);
}

void RemoveLeftovers(const fs::path& folder) {
    std::error_code error;
    fs::directory_iterator entries(folder.empty() ? fs::path(".") : folder, error);
    if (error) return;
    std::vector<fs::path> leftovers;
    for (const fs::directory_entry& entry : entries) {
        if (IsTemporaryName(Common::Utf8FromPath(entry.path().filename())) &&
            IsLeftoverEntry(entry.path())) {
            leftovers.push_back(entry.path());
        }
    }
    for (const fs::path& leftover : leftovers) fs::remove_all(leftover, error);
}

ScratchFolder::ScratchFolder(const fs::path& base) {
    RemoveLeftovers(base);
    path_ = CreateMarkedFolder(base / kScratchName);
}

ScratchFolder::~ScratchFolder() {
    std::error_code error;
    fs::remove_all(path_, error);
}

void Unmark(const fs::path& path) { DropMark(path); }

}  // namespace Orvane::Cli
