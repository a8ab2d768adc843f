#include "link/archive_listing.h"

#include "common/failure.h"

namespace Orvane {
namespace {

constexpr int kFromCurrent = 1;

}  // namespace

bool ReadArchiveListing(const std::shared_ptr<Common::StreamBase>& stream,
                        ArchiveListing& listing) {
    if (!listing.header.Read(stream)) return false;
    const std::int64_t length = stream->GetLength();
    ArcEntry entry;
    entry.unicodeNames = listing.header.HasUnicodeNames();
    for (;;) {
        try {
            if (entry.Read(stream) == 0) break;
        } catch (const PlainFailure&) {  // the entry reader raises where a header is damaged
            listing.end = ListingEnd::EntryCutShort;
            return true;
        }
        std::int64_t offset = stream->GetPosition();
        listing.entries.push_back({entry, offset});
        if (entry.dataSize > length - offset) {
            listing.end = ListingEnd::DataCutShort;
            return true;
        }
        stream->Seek(entry.dataSize, kFromCurrent);
    }
    listing.end = ListingEnd::EndMarker;
    return true;
}

}  // namespace Orvane
