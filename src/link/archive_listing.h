// The chain of entry headers of a LINK archive, walked without reading the entries' data: what
// `orvpatch arc` lists and extracts, and what a dry run of an archive update looks at.
//
//   ArchiveListing listing;
//   if (!ReadArchiveListing(stream, listing)) { ... the header cannot be read ... }
//   for (const ListedEntry& entry : listing.entries) { ... entry.header, entry.dataOffset ... }
//   if (listing.end != ListingEnd::EndMarker) { ... the archive is damaged after them ... }
//
// A reader: a damaged archive is reported by the result and by `end`, never raised.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "link/arc_entry.h"
#include "link/arc_header.h"
#include "common/stream_base.h"

namespace Orvane {

struct ListedEntry {
    ArcEntry header;              // unicodeNames set as the layout says
    std::int64_t dataOffset = 0;  // where the entry's data starts in the stream
};

enum class ListingEnd {
    EndMarker,      // the chain ends with its end marker: the archive is whole
    EntryCutShort,  // behind the listed entries an entry header is cut short, or its record
                    // length is smaller than the header, or the end marker is missing
    DataCutShort,   // the last listed entry's data runs past the end of the stream
};

struct ArchiveListing {
    ArcHeader header;
    std::vector<ListedEntry> entries;
    ListingEnd end = ListingEnd::EndMarker;
};

// Reads the header at the stream's position, then every entry header, seeking over the data.
// False when the header itself cannot be read.
bool ReadArchiveListing(const std::shared_ptr<Common::StreamBase>& stream,
                        ArchiveListing& listing);

}  // namespace Orvane
