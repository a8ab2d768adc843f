// A LINK archive of a release, entry by entry: each entry's header bytes as stored and as a
// rebuild would write them, and a digest of its data. The data itself is never held.
#pragma once

#include <compare>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "author/entry_image.h"
#include "author/digest.h"
#include "link/arc_entry.h"
#include "link/arc_header.h"

namespace Orvane::Author {

// One entry as bytes: its header (record length included) and its data's digest.
struct EntryBytes {
    Bytes head;
    Digest data{};

    friend auto operator<=>(const EntryBytes&, const EntryBytes&) = default;
};

struct ArchiveEntry {
    ArcEntry fields;  // as the update command reads it
    EntryBytes stored;
    // As a rebuild writes the entry when it keeps it; nothing when the rebuild would fail on it.
    std::optional<EntryBytes> kept;
    std::uint64_t dataOffset = 0;
};

struct ArchiveImage {
    ArcHeader header;
    Bytes head;  // the header as stored
    std::vector<ArchiveEntry> entries;
    bool endsAtMarker = true;  // false when bytes follow the end marker
};

// True when the file starts with one of the four magics "LINK3" to "LINK6".
bool HasArchiveMagic(const std::filesystem::path& path);

// The header of the archive at path, its entries unread; nothing when it has none of a known
// layout.
std::optional<ArcHeader> ReadArchiveHeader(const std::filesystem::path& path);

// The archive at path; nothing when it is not a complete LINK archive of a known layout (an
// entry or its data cut short, no end marker). Never throws for a damaged file.
std::optional<ArchiveImage> ReadArchiveImage(const std::filesystem::path& path);

}  // namespace Orvane::Author
