// orvpatch arc create ARCHIVE FILE... --layout LAYOUT -C DIR [--revision N] [--tag TEXT] [--kind N]
//
// Makes a LINK archive of the layout "LINK3" to "LINK6" (in any case) from files and folders
// given relative to DIR, one entry per file in the order given, a folder standing for the files
// below it (see arc_new_entries.h). --revision defaults to 1 ("LINK3"
// stores none and takes only 0), --tag to empty (three zero bytes in the narrow layouts), --kind
// (every entry's kind) to 0. What the layout cannot hold is refused before anything is written.
#include <algorithm>
#include <cctype>
#include <filesystem>

#include "cli/arc/arc_archive.h"
#include "cli/arc/arc_new_entries.h"
#include "cli/command.h"
#include "cli/path_argument.h"
#include "common/utf8_path.h"
#include "link/arc_header.h"
#include "common/utf8.h"

namespace Orvane::Cli {
namespace {

constexpr char kLayoutOption[] = "--layout";
constexpr char kRevisionOption[] = "--revision";
constexpr char kTagOption[] = "--tag";
constexpr char kKindOption[] = "--kind";
constexpr char kFolderOption[] = "--directory";
constexpr char kFolderShort[] = "-C";
constexpr char kNoArchive[] = "give the archive to create";
constexpr char kNoFiles[] = "give the files or folders to put in the archive";
constexpr char kNoLayout[] = "give the layout with --layout LINK3, LINK4, LINK5 or LINK6";
constexpr char kNoFolder[] = "give the folder of the files with -C DIR";
constexpr char kNoRevisionInLink3[] = "LINK3 stores no revision; --revision can only be 0";
constexpr char kTagNotCp932[] = "the tag cannot be written in code page 932";
constexpr char kTagTooLong[] = "the tag is longer than the layout holds: ";
constexpr std::size_t kNarrowTagBytes = 3;
constexpr std::size_t kMaxLink6TagBytes = 255;
constexpr long kMaxWord = 65535;

std::string ReadTag(const ReadOptions& options, const std::string& layout) {
    std::string utf8 = options.Value(kTagOption);
    std::optional<std::string> exact = Common::ExactAnsiFromUtf8(utf8);
    if (!exact) throw UsageError(kTagNotCp932);
    const std::string& tag = *exact;
    std::size_t limit = layout == kMagicLink6 ? kMaxLink6TagBytes : kNarrowTagBytes;
    if (tag.size() > limit) throw UsageError(kTagTooLong + std::to_string(limit) + " bytes");
    return tag;
}

std::uint32_t ReadRevision(const ReadOptions& options, const std::string& layout) {
    bool link3 = layout == kMagicLink3;
    if (!options.Has(kRevisionOption)) return link3 ? 0 : 1;
    long revision = ReadNumberOption(kRevisionOption, options.Value(kRevisionOption), 0, kMaxWord);
    if (link3 && revision != 0) throw UsageError(kNoRevisionInLink3);
    return static_cast<std::uint32_t>(revision);
}

ArcHeader ReadHeader(const ReadOptions& options) {
    ArcHeader header;
    header.magic = options.Value(kLayoutOption);
    std::transform(header.magic.begin(), header.magic.end(), header.magic.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (!IsLinkMagic(header.magic)) throw UsageError(kNoLayout);
    header.revision = ReadRevision(options, header.magic);
    header.tag = ReadTag(options, header.magic);
    return header;
}

}  // namespace

int RunArcCreate(const ReadOptions& options) {
    if (options.operands.empty()) throw UsageError(kNoArchive);
    if (!options.Has(kFolderOption)) throw UsageError(kNoFolder);
    ArcHeader header = ReadHeader(options);
    auto kind = static_cast<std::uint16_t>(
        ReadNumberOption(kKindOption, options.Value(kKindOption, "0"), 0, kMaxWord));
    std::string folder = options.Value(kFolderOption);
    std::vector<std::string> files(options.operands.begin() + 1, options.operands.end());
    if (files.empty()) throw UsageError(kNoFiles);
    std::vector<NewEntry> entries =
        DescribeNewEntries(header, kind, Common::PathFromUtf8(folder), files);
    WriteNewArchive(options.operands.front(), header, entries);
    return kExitSuccess;
}

const Command& ArcCreateCommand() {
    static const Command command{
        "arc create", "make a LINK archive from files", "ARCHIVE FILE...",
        {{kLayoutOption, nullptr, "LAYOUT", false, true, "LINK3, LINK4, LINK5 or LINK6"},
         {kFolderOption, kFolderShort, "DIR", false, true, "the folder the files are given relative to"},
         {kRevisionOption, nullptr, "N", false, false, "the archive's revision (default 1)"},
         {kTagOption, nullptr, "TEXT", false, false, "the archive's tag (default empty)"},
         {kKindOption, nullptr, "N", false, false, "every entry's kind (default 0)"}},
        &RunArcCreate};
    return command;
}

}  // namespace Orvane::Cli
