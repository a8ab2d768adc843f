#include "cli/arc/arc_archive.h"

#include "cli/command.h"
#include "cli/path_argument.h"
#include "link/arc_header.h"
#include "common/utf8.h"

namespace Orvane::Cli {
namespace {

constexpr char kCannotOpen[] = "cannot open ";
constexpr char kNoHeader[] = "not a LINK archive, its header is cut short: ";
constexpr char kUnknownLayout[] = "not a LINK archive, unknown layout: ";
constexpr char kEntryCutShort[] =
    " an entry header is cut short or damaged, or the end marker is missing";
constexpr char kDataCutShort[] = " runs past the end of the archive";

std::string Damage(const ArchiveListing& listing) {
    std::size_t count = listing.entries.size();
    switch (listing.end) {
        case ListingEnd::EndMarker: return "";
        case ListingEnd::DataCutShort:
            return "the data of entry " + std::to_string(count - 1) + kDataCutShort;
        case ListingEnd::EntryCutShort:
            return "after " + std::to_string(count) + " entries" + kEntryCutShort;
    }
    return "";
}

}  // namespace

OpenedArchive OpenArchive(const std::string& utf8Path) {
    OpenedArchive opened;
    opened.stream = std::make_shared<Common::FileStream>(
        AnsiPathArgument(utf8Path), Common::OpenExisting, Common::FileAccess::Read,
        Common::FileShare::Read, Common::FileOptions::SequentialScan);
    if (!opened.stream->CanRead()) throw CommandFailure(kCannotOpen + utf8Path);
    if (!ReadArchiveListing(opened.stream, opened.listing)) {
        throw CommandFailure(kNoHeader + utf8Path);
    }
    if (!IsLinkMagic(opened.listing.header.magic)) {
        throw CommandFailure(kUnknownLayout + utf8Path);
    }
    opened.damage = Damage(opened.listing);
    return opened;
}

std::string EntryNameUtf8(const ArcEntry& entry) {
    if (!entry.unicodeNames) return Common::Utf8FromAnsi(entry.name);
    std::u16string units;
    for (std::size_t i = 0; i + 1 < entry.storedName.size(); i += 2) {
        auto unit = static_cast<char16_t>(entry.storedName[i] | entry.storedName[i + 1] << 8);
        if (unit == 0) break;
        units += unit;
    }
    return Common::Utf8FromUtf16(units);
}

std::string TagUtf8(const ArcHeader& header) {
    return Common::Utf8FromAnsi(header.tag.substr(0, header.tag.find('\0')));
}

TimeStamp EntryTimeStamp(const ArcEntry& entry) {
    return TimeStamp{entry.year, entry.month, entry.day, entry.hour, entry.minute, entry.second};
}

}  // namespace Orvane::Cli
