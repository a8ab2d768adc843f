#include "tools/link_archive_file.h"

#include <memory>

#include "link/arc_entry.h"
#include "link/arc_header.h"
#include "common/binary_writer.h"
#include "common/failure.h"
#include "common/file_stream.h"
#include "common/memory_stream.h"

namespace Orvane::Tools {
namespace {

constexpr char kCannotCreate[] = "the archive cannot be created";
constexpr std::uint32_t kEndMarker = 0;

ArcEntry EntryHeader(const LinkEntry& entry, bool unicodeNames) {
    ArcEntry header;
    header.unicodeNames = unicodeNames;
    header.name = entry.name;
    header.kind = entry.kind;
    header.year = entry.year;
    header.month = entry.month;
    header.day = entry.day;
    header.hour = entry.hour;
    header.minute = entry.minute;
    header.second = entry.second;
    header.dataSize = static_cast<std::uint32_t>(entry.data.size());
    return header;
}

LinkEntry EntryOf(const ArcEntry& header) {
    LinkEntry entry;
    entry.name = header.name;
    entry.kind = header.kind;
    entry.year = header.year;
    entry.month = header.month;
    entry.day = header.day;
    entry.hour = header.hour;
    entry.minute = header.minute;
    entry.second = header.second;
    return entry;
}

// Reads the entries behind the header; false when the archive ends before its end marker.
bool ReadEntries(const std::shared_ptr<Common::FileStream>& stream, bool unicodeNames,
                 std::vector<LinkEntry>& entries) {
    ArcEntry header;
    header.unicodeNames = unicodeNames;
    while (header.Read(stream) != 0) {
        LinkEntry entry = EntryOf(header);
        entry.data.resize(header.dataSize);
        std::uint32_t read = 0;
        if (header.dataSize > 0 && (!stream->Read(entry.data.data(), header.dataSize, &read) ||
                                    read != header.dataSize)) {
            return false;
        }
        entries.push_back(std::move(entry));
    }
    return true;
}

// The archive's bytes, from its header to its end marker.
void WriteArchiveTo(const std::shared_ptr<Common::StreamBase>& stream, const LinkArchive& archive) {
    ArcHeader header;
    header.magic = archive.magic;
    header.tag = archive.tag;
    header.revision = archive.revision;
    header.Write(stream);
    Common::BinaryWriter writer(stream);
    for (const LinkEntry& entry : archive.entries) {
        EntryHeader(entry, header.HasUnicodeNames()).Write(stream);
        if (!entry.data.empty()) writer.Write(entry.data);
    }
    writer.Write(kEndMarker);
}

}  // namespace

void WriteLinkArchive(const std::string& path, const LinkArchive& archive) {
    auto stream = std::make_shared<Common::FileStream>(path, Common::CreateAlways,
                                                       Common::FileAccess::Write,
                                                       Common::FileShare::None);
    if (!stream->CanWrite()) throw MessageFailure(kCannotCreate);
    WriteArchiveTo(stream, archive);
}

std::vector<std::uint8_t> LinkArchiveBytes(const LinkArchive& archive) {
    auto stream = std::make_shared<Common::MemoryStream>();
    WriteArchiveTo(stream, archive);
    return stream->Bytes();
}

std::optional<LinkArchive> ReadLinkArchive(const std::string& path) {
    auto stream = std::make_shared<Common::FileStream>(path, Common::OpenExisting,
                                                       Common::FileAccess::Read,
                                                       Common::FileShare::Read);
    ArcHeader header;
    if (!stream->CanRead() || !header.Read(stream)) return std::nullopt;
    LinkArchive archive{header.magic, header.tag, header.revision, {}};
    try {
        if (!ReadEntries(stream, header.HasUnicodeNames(), archive.entries)) return std::nullopt;
    } catch (const PlainFailure&) {  // an entry header cut short: not a complete archive
        return std::nullopt;
    }
    return archive;
}

}  // namespace Orvane::Tools
