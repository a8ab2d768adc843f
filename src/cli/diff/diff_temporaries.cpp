#include "cli/diff/diff_temporaries.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <random>
#include <string>
#include <string_view>

#include "author/host_files.h"
#include "common/failure.h"
#include "platform/posix/temp_mark.h"

namespace Orvane::Cli {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTemporaryMark = ".tmp-";
constexpr int kAttempts = 100;
constexpr mode_t kFileMode = 0666;
constexpr mode_t kFolderMode = 0777;
constexpr char kScratchName[] = "orvpatch-check";

[[noreturn]] void Fail(const fs::path& place) {
    throw MessageFailure(std::string(kTemporaryNotMade) + ": " + Author::MessagePath(place));
}

// Tries names PLACE.tmp-NUMBER until make(name) gives a descriptor to mark; -1 from make
// with EEXIST means that the name is taken.
template <typename Make>
fs::path CreateMarked(const fs::path& place, Make make) {
    std::random_device random;
    for (int i = 0; i < kAttempts; ++i) {
        fs::path candidate = place;
        candidate += std::string(kTemporaryMark) + std::to_string(random());
        int descriptor = make(candidate.c_str());
        if (descriptor < 0 && errno == EEXIST) continue;
        if (descriptor < 0) break;
        Os::Posix::MarkAsTemporary(descriptor);  // a file system without marks: never swept
        ::close(descriptor);
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
    return CreateMarked(place, [](const char* path) {
        return ::open(path, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, kFileMode);
    });
}

fs::path CreateMarkedFolder(const fs::path& place) {
    return CreateMarked(place, [](const char* path) {
        if (::mkdir(path, kFolderMode) != 0) return -1;
        return ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    });
}

void RemoveLeftovers(const fs::path& folder) {
    std::error_code error;
    fs::directory_iterator entries(folder.empty() ? fs::path(".") : folder, error);
    if (error) return;
    std::vector<fs::path> leftovers;
    for (const fs::directory_entry& entry : entries) {
        if (IsTemporaryName(entry.path().filename().native()) &&
            Os::Posix::IsLeftoverTemporary(entry.path().native())) {
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

void Unmark(const fs::path& path) { Os::Posix::DropTemporaryMark(path.native()); }

}  // namespace Orvane::Cli
