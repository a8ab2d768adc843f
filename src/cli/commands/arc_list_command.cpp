// orvpatch arc list ARCHIVE [--json]
//
// Shows a LINK archive: its layout, revision and tag, then per entry its kind, time, size and
// name (UTF-8). A damaged archive shows the entries before the damage, then says what is wrong
// (stderr) and exits with 1.
//
//   LINK6 revision 1 tag "GRAPHIC"
//       0  2024-03-05 14:30:00        5  背景.bmp
#include <cinttypes>
#include <cstdio>

#include "cli/arc/arc_archive.h"
#include "cli/views/arc_list_json.h"
#include "cli/command.h"
#include "cli/views/console.h"
#include "cli/views/info_text.h"
#include "link/arc_header.h"

namespace Orvane::Cli {
namespace {

constexpr char kJsonOption[] = "--json";
constexpr char kOneArchive[] = "give exactly one archive";
constexpr char kNoRevision[] = "-";  // "LINK3" stores none

void PrintArchiveText(const ArchiveListing& listing) {
    const ArcHeader& header = listing.header;
    std::string revision =
        header.magic == kMagicLink3 ? kNoRevision : std::to_string(header.revision);
    PrintLine(stdout, header.magic + " revision " + revision + " tag \"" + TagUtf8(header) + "\"");
    for (const ListedEntry& listed : listing.entries) {
        const ArcEntry& entry = listed.header;
        char numbers[64];
        std::snprintf(numbers, sizeof numbers, "%5u  %s  %10" PRIu32 "  ", unsigned{entry.kind},
                      FormatTimeStamp(EntryTimeStamp(entry)).c_str(), entry.dataSize);
        PrintLine(stdout, numbers + EntryNameUtf8(entry));
    }
}

}  // namespace

int RunArcList(const ReadOptions& options) {
    if (options.operands.size() != 1) throw UsageError(kOneArchive);
    OpenedArchive archive = OpenArchive(options.operands.front());
    if (options.Has(kJsonOption)) {
        PrintLine(stdout, ArchiveJson(archive));
    } else {
        PrintArchiveText(archive.listing);
    }
    if (archive.damage.empty()) return kExitSuccess;
    throw CommandFailure(archive.damage);
}

const Command& ArcListCommand() {
    static const Command command{
        "arc list", "show the layout and the entries of a LINK archive", "ARCHIVE",
        {{kJsonOption, nullptr, nullptr, false, false, "print the archive as JSON"}},
        &RunArcList};
    return command;
}

}  // namespace Orvane::Cli
