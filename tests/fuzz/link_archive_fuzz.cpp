// A LINK archive as an archive update and `orvpatch arc` read it: the header, then the chain of
// entry headers with each entry's data skipped. Both walks must agree, and every header must
// write back as the update would write it: byte for byte when the update copies it unchanged,
// otherwise as a header that reads back with the same fields.
#include <memory>
#include <vector>

#include "link/archive_listing.h"
#include "common/failure.h"
#include "common/memory_stream.h"
#include "fuzz/fuzz_target.h"

namespace {

using namespace Orvane;
using Bytes = std::vector<std::uint8_t>;

constexpr int kFromBeginning = 0;
constexpr int kFromCurrent = 1;

std::shared_ptr<Common::MemoryStream> StreamOver(Bytes bytes) {
    return std::make_shared<Common::MemoryStream>(std::move(bytes));
}

bool SameFields(const ArcEntry& a, const ArcEntry& b) {
    return a.kind == b.kind && a.year == b.year && a.month == b.month && a.day == b.day &&
           a.hour == b.hour && a.minute == b.minute && a.second == b.second &&
           a.name == b.name && a.dataSize == b.dataSize;
}

void CheckHeaderRewrite(const ArcHeader& header) {
    auto written = StreamOver({});
    try {
        header.Write(written);
    } catch (const PlainFailure&) {  // a magic or tag that cannot be written
        return;
    }
    ArcHeader reread;
    Fuzz::FuzzRequire(written->Seek(0, kFromBeginning) && reread.Read(written),
                      "a written archive header reads back");
    Fuzz::FuzzRequire(reread.magic == header.magic && reread.tag == header.tag &&
                          reread.revision == header.revision,
                      "an archive header reads back as written");
}

// The entry's header as read spans [start, start + headerSize) of the archive.
void CheckEntryRewrite(const ArcEntry& entry, const Bytes& archive, std::size_t start,
                       std::uint32_t headerSize) {
    auto written = StreamOver({});
    try {
        entry.Write(written);
    } catch (const PlainFailure&) {  // an overlong name: the update fails there too
        Fuzz::FuzzRequire(!entry.RewritesAsRead(), "an entry kept as read can be written");
        return;
    } catch (const MessageFailure&) {  // an empty name, which the writer refuses
        Fuzz::FuzzRequire(!entry.RewritesAsRead(), "an entry kept as read can be written");
        return;
    }
    const Bytes& bytes = written->Bytes();
    if (entry.RewritesAsRead()) {
        Fuzz::FuzzRequire(Bytes(archive.begin() + start, archive.begin() + start + headerSize) ==
                              bytes,
                          "an entry kept as read writes back byte for byte");
    }
    ArcEntry reread;
    reread.unicodeNames = entry.unicodeNames;
    Fuzz::FuzzRequire(written->Seek(0, kFromBeginning) && reread.Read(written) == bytes.size(),
                      "a written entry header reads back whole");
    Fuzz::FuzzRequire(SameFields(reread, entry), "an entry header reads back as written");
}

// The update's walk: entry headers up to the end marker, each entry's data inside the archive.
// Returns how many entries it passed, or -1 where the update would fail.
long WalkAsUpdate(const Bytes& archive) {
    auto stream = StreamOver(archive);
    ArcHeader header;
    if (!header.Read(stream)) return -1;
    CheckHeaderRewrite(header);
    ArcEntry entry;
    entry.unicodeNames = header.HasUnicodeNames();
    long count = 0;
    for (;;) {
        auto start = static_cast<std::size_t>(stream->GetPosition());
        std::uint32_t headerSize = 0;
        try {
            headerSize = entry.Read(stream);
        } catch (const PlainFailure&) {
            return -1;
        }
        if (headerSize == 0) return count;
        if (entry.dataSize > archive.size() - stream->GetPosition()) return -1;
        CheckEntryRewrite(entry, archive, start, headerSize);
        stream->Seek(entry.dataSize, kFromCurrent);
        ++count;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes archive(data, data + size);
    ArchiveListing listing;
    bool listed = ReadArchiveListing(StreamOver(archive), listing);
    long walked = WalkAsUpdate(archive);
    if (!listed) {
        Fuzz::FuzzRequire(walked < 0, "an archive without a header is not updated");
    } else if (listing.end == ListingEnd::EndMarker) {
        Fuzz::FuzzRequire(walked == static_cast<long>(listing.entries.size()),
                          "a whole archive's update passes every listed entry");
    } else {
        Fuzz::FuzzRequire(walked < 0, "a damaged archive fails its update");
    }
    return 0;
}
