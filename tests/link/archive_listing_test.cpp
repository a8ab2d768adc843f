// Walking an archive's entry headers: where a damaged archive breaks, without reading data.
#include <gtest/gtest.h>

#include "support/archive_builder.h"
#include "link/archive_listing.h"
#include "common/memory_stream.h"

namespace Orvane {
namespace {

using Test::ArchiveBytes;
using Test::Bytes;
using Test::EntryBytes;

struct ListingCase {
    const char* what;
    Bytes bytes;
    std::size_t entries;
    ListingEnd end;
    std::size_t cutBytes = 0;  // taken off the end
};

Bytes TwoEntries(bool unicode) {
    ArchiveBytes archive = unicode ? ArchiveBytes::Link6(1, "t") : ArchiveBytes::Narrow("LINK4", "ARC", 1);
    std::string name = unicode ? Test::Utf16Le(u"a.b") : "a.b";
    return archive.Entry({name, {1, 2, 3}}).Entry({name, {4}}).End().Get();
}

TEST(ArchiveListingTest, SaysWhereTheChainOfEntriesEnds) {
    const ListingCase cases[] = {
        {"whole narrow", TwoEntries(false), 2, ListingEnd::EndMarker},
        {"whole LINK6", TwoEntries(true), 2, ListingEnd::EndMarker},
        {"no entries", ArchiveBytes::Link6(1, "").End().Get(), 0, ListingEnd::EndMarker},
        {"end marker missing", TwoEntries(false), 2, ListingEnd::EntryCutShort, 4},
        {"last data cut short", TwoEntries(false), 2, ListingEnd::DataCutShort, 5},
        {"second header cut short", TwoEntries(true), 1, ListingEnd::EntryCutShort, 4 + 1 + 15},
        {"record length below the header", ArchiveBytes::Narrow("LINK5", "ARC", 1)
                                               .Entry(EntryBytes{"a.b", {}, 4, {}, 0, 18}).End().Get(),
         0, ListingEnd::EntryCutShort},
    };
    for (const ListingCase& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes bytes(c.bytes.begin(), c.bytes.end() - static_cast<std::ptrdiff_t>(c.cutBytes));
        ArchiveListing listing;
        ASSERT_TRUE(ReadArchiveListing(std::make_shared<Common::MemoryStream>(bytes), listing));
        EXPECT_EQ(listing.entries.size(), c.entries);
        EXPECT_EQ(listing.end, c.end);
    }
}

TEST(ArchiveListingTest, KeepsEveryEntryHeaderAndWhereItsDataStarts) {
    ArchiveListing listing;
    ASSERT_TRUE(ReadArchiveListing(std::make_shared<Common::MemoryStream>(TwoEntries(false)), listing));

    ASSERT_EQ(listing.entries.size(), 2u);
    EXPECT_EQ(listing.header.revision, 1u);
    EXPECT_EQ(listing.entries[0].header.name, "a.b");
    EXPECT_EQ(listing.entries[0].dataOffset, 10 + 16 + 3);
    EXPECT_EQ(listing.entries[1].header.dataSize, 1u);
    EXPECT_EQ(listing.entries[1].dataOffset, 10 + 2 * (16 + 3) + 3);
}

TEST(ArchiveListingTest, AHeaderCutShortIsNoListing) {
    ArchiveListing listing;
    Bytes bytes{'L', 'I', 'N', 'K', '6', 1};
    EXPECT_FALSE(ReadArchiveListing(std::make_shared<Common::MemoryStream>(bytes), listing));
}

}  // namespace
}  // namespace Orvane
