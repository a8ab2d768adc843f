// orvpatch arc extract ARCHIVE -C DIR
//
// Writes every entry of a LINK archive as a file below DIR: the entry's name (UTF-8) with its
// '\' as folders, its data, and its time as the file's last-write time. Everything is checked
// before anything is written: a damaged archive, or an entry name that would lead out of DIR
// ("..", a drive letter, a leading separator) or through a symbolic link already in DIR, writes
// nothing. Entries of the same name: the later replaces the earlier, as extracting in order
// would, and a note says so.
#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "cli/arc/arc_archive.h"
#include "cli/command.h"
#include "cli/views/console.h"
#include "cli/arc/entry_path.h"
#include "cli/arc/entry_time.h"
#include "cli/path_argument.h"
#include "common/utf8_path.h"

namespace Orvane::Cli {
namespace {

namespace fs = std::filesystem;

constexpr char kFolderOption[] = "--directory";
constexpr char kFolderShort[] = "-C";
constexpr char kOneArchive[] = "give exactly one archive";
constexpr char kNoFolder[] = "give the folder to extract to with -C DIR";
constexpr char kNotePrefix[] = "orvpatch arc extract: ";
constexpr char kOutside[] =
    ": refused, the name would lead out of the folder (\"..\", a drive letter or a leading "
    "separator)";
constexpr char kFileAndFolder[] = ": a file of this name is also the folder of another entry";
constexpr char kThroughLink[] = ": refused, a symbolic link in the folder would lead it elsewhere";
constexpr char kReplaces[] = " replaces entry ";
constexpr char kSameName[] = " of the same name";
constexpr char kNoTime[] = ": its time names no date, the file keeps the time it was written";
constexpr char kCannotRead[] = "cannot read the data of entry ";
constexpr char kCannotWrite[] = "cannot write ";
constexpr std::uint32_t kChunkSize = 64 * 1024;

// One file to write: the entry and its path below the folder, '/' between components.
struct Extraction {
    std::size_t index = 0;
    std::string path;
};

std::string Describe(std::size_t index, const ArcEntry& entry) {
    return "entry " + std::to_string(index) + " (" + EntryNameUtf8(entry) + ")";
}

std::string JoinedPath(const std::vector<std::string>& components, std::set<std::string>& folders) {
    std::string path;
    for (const std::string& component : components) {
        if (!path.empty()) folders.insert(path);
        path += (path.empty() ? "" : "/") + component;
    }
    return path;
}

// Whether a link that is already below the folder stands anywhere on the path: writing through
// it would write outside the folder.
bool MeetsLink(const fs::path& folder, const std::string& path) {
    fs::path at = folder;
    for (const fs::path& component : Common::PathFromUtf8(path)) {
        at /= component;
        std::error_code error;
        if (fs::is_symlink(fs::symlink_status(at, error))) return true;
    }
    return false;
}

// The files to write, in entry order, one per name: the last entry of each name.
std::vector<Extraction> PlanExtraction(const ArchiveListing& listing, const fs::path& folder) {
    std::map<std::string, std::size_t> lastByPath;
    std::set<std::string> folders;
    for (std::size_t i = 0; i < listing.entries.size(); ++i) {
        const ArcEntry& entry = listing.entries[i].header;
        auto components = EntryPathComponents(EntryNameUtf8(entry));
        if (!components) throw CommandFailure(Describe(i, entry) + kOutside);
        std::string path = JoinedPath(*components, folders);
        auto [known, fresh] = lastByPath.try_emplace(path, i);
        if (!fresh) {
            PrintLine(stderr, kNotePrefix + Describe(i, entry) + kReplaces +
                                  std::to_string(known->second) + kSameName);
            known->second = i;
        }
    }
    std::vector<Extraction> extractions;
    for (const auto& [path, index] : lastByPath) {
        const ArcEntry& entry = listing.entries[index].header;
        if (folders.contains(path)) throw CommandFailure(Describe(index, entry) + kFileAndFolder);
        if (MeetsLink(folder, path)) throw CommandFailure(Describe(index, entry) + kThroughLink);
        extractions.push_back({index, path});
    }
    std::sort(extractions.begin(), extractions.end(),
              [](const Extraction& a, const Extraction& b) { return a.index < b.index; });
    return extractions;
}

void CopyData(Common::StreamBase& archive, const ListedEntry& listed, std::size_t index,
              std::ofstream& out) {
    std::array<char, kChunkSize> buffer;
    archive.Seek(listed.dataOffset, 0);
    for (std::uint32_t left = listed.header.dataSize; left > 0;) {
        std::uint32_t count = std::min(left, kChunkSize);
        if (!archive.Read(buffer.data(), count)) {
            throw CommandFailure(kCannotRead + std::to_string(index));
        }
        out.write(buffer.data(), count);
        left -= count;
    }
}

void WriteFile(OpenedArchive& archive, const Extraction& extraction, const fs::path& folder) {
    const ListedEntry& listed = archive.listing.entries[extraction.index];
    fs::path target = folder / Common::PathFromUtf8(extraction.path);
    std::error_code error;
    fs::create_directories(target.parent_path(), error);
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    if (out) CopyData(*archive.stream, listed, extraction.index, out);
    out.close();
    if (!out) throw CommandFailure(kCannotWrite + extraction.path);
    std::optional<std::int64_t> seconds = EntrySeconds(listed.header);
    if (!seconds || !SetFileModifiedSeconds(target, *seconds)) {
        PrintLine(stderr, kNotePrefix + Describe(extraction.index, listed.header) + kNoTime);
    }
}

}  // namespace

int RunArcExtract(const ReadOptions& options) {
    if (options.operands.size() != 1) throw UsageError(kOneArchive);
    if (!options.Has(kFolderOption)) throw UsageError(kNoFolder);
    OpenedArchive archive = OpenArchive(options.operands.front());
    if (!archive.damage.empty()) throw CommandFailure(archive.damage);
    fs::path folder = Common::PathFromUtf8(options.Value(kFolderOption));
    std::vector<Extraction> extractions = PlanExtraction(archive.listing, folder);
    for (const Extraction& extraction : extractions) WriteFile(archive, extraction, folder);
    return kExitSuccess;
}

const Command& ArcExtractCommand() {
    static const Command command{
        "arc extract", "write every entry of a LINK archive as a file", "ARCHIVE",
        {{kFolderOption, kFolderShort, "DIR", false, true, "the folder to write the entries below"}},
        &RunArcExtract};
    return command;
}

}  // namespace Orvane::Cli
