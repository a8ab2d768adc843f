// LINK archive headers and entry headers, read from and written to real files byte for byte.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/archive_builder.h"
#include "link/arc_entry.h"
#include "link/arc_header.h"
#include "common/binary_writer.h"
#include "common/failure.h"
#include "support/hooked_progress.h"
#include "support/temp_folder.h"
#include "support/text.h"

namespace Orvane {
namespace {

using Test::ArchiveBytes;
using Test::Bytes;
using Test::Cp932;
using Test::CreateForWriting;
using Test::FailureOf;
using Test::OpenForReading;
using Test::TempFolder;
using Test::Utf16Le;

struct Archive {
    ArcHeader header;
    std::vector<ArcEntry> entries;
    std::vector<std::uint32_t> headerSizes;
    std::vector<Bytes> data;
};

// Walks a whole archive as the update command does: header, then entry after entry.
Archive ReadArchive(const TempFolder& folder, const Bytes& bytes) {
    folder.WriteFile("in.arc", bytes);
    auto stream = OpenForReading(folder, "in.arc");
    Archive archive;
    EXPECT_TRUE(archive.header.Read(stream));
    ArcEntry entry;
    entry.unicodeNames = archive.header.HasUnicodeNames();
    while (std::uint32_t size = entry.Read(stream)) {
        archive.headerSizes.push_back(size);
        Bytes data(entry.dataSize);
        if (!data.empty()) {
            EXPECT_TRUE(stream->Read(data.data(), entry.dataSize));
        }
        archive.entries.push_back(entry);
        archive.data.push_back(data);
    }
    EXPECT_EQ(stream->GetPosition(), static_cast<std::int64_t>(bytes.size()));
    return archive;
}

Bytes WriteArchive(const TempFolder& folder, const Archive& archive) {
    {
        auto stream = CreateForWriting(folder, "out.arc");
        archive.header.Write(stream);
        Common::BinaryWriter writer(stream);
        for (std::size_t i = 0; i < archive.entries.size(); ++i) {
            archive.entries[i].Write(stream);
            if (!archive.data[i].empty()) writer.Write(archive.data[i]);
        }
        writer.Write(std::uint32_t{0});
    }
    return folder.ReadFile("out.arc");
}

TEST(ArcFormat, Link6ExampleReadsAndWritesBackByteForByte) {
    const Bytes file = {
        0x4C, 0x49, 0x4E, 0x4B, 0x36,        // magic "LINK6"
        0x01, 0x00,                          // revision 1
        0x02,                                // tag length
        0x63, 0x67,                          // tag "cg"
        0x1D, 0x00, 0x00, 0x00,              // record length 29 = 15 + 10 + 4
        0x04, 0x00,                          // kind 4
        0xE8, 0x07,                          // year 2024
        0x03,                                // month
        0x05,                                // day
        0x0E,                                // hour
        0x1E,                                // minute
        0x00,                                // second
        0x0A, 0x00,                          // name length 10 bytes
        0x61, 0x00, 0x2E, 0x00, 0x62, 0x00,  // name "a.b
        0x6D, 0x00, 0x70, 0x00,              //       mp"
        0xDE, 0xAD, 0xBE, 0xEF,              // data
        0x00, 0x00, 0x00, 0x00,              // end marker
    };
    TempFolder folder;
    Archive archive = ReadArchive(folder, file);
    EXPECT_EQ(archive.header.magic, "LINK6");
    EXPECT_EQ(archive.header.tag, "cg");
    EXPECT_EQ(archive.header.revision, 1u);
    ASSERT_EQ(archive.entries.size(), 1u);
    const ArcEntry& entry = archive.entries[0];
    EXPECT_EQ(archive.headerSizes[0], 25u);
    EXPECT_EQ(entry.name, "a.bmp");
    EXPECT_EQ(entry.dataSize, 4u);
    EXPECT_EQ(entry.kind, 4);
    EXPECT_EQ(entry.year, 2024);
    EXPECT_EQ(entry.month, 3);
    EXPECT_EQ(entry.day, 5);
    EXPECT_EQ(entry.hour, 14);
    EXPECT_EQ(entry.minute, 30);
    EXPECT_EQ(entry.second, 0);
    EXPECT_EQ(archive.data[0], (Bytes{0xDE, 0xAD, 0xBE, 0xEF}));
    EXPECT_EQ(WriteArchive(folder, archive), file);
}

struct HeaderCase {
    const char* label;
    Bytes bytes;  // the header as stored
    std::string magic;
    std::string tag;
    std::uint32_t revision;
    Bytes rewrittenWithRevision2;  // empty: the header cannot be written
};

TEST(ArcHeader, ReadsEveryLayoutAndWritesItBack) {
    const std::string zeroTag("\x01\x00\x02", 3);
    const std::vector<HeaderCase> cases = {
        {"LINK3 has no revision field, whatever the record holds",
         ArchiveBytes::Narrow("LINK3", "abc").Get(), "LINK3", "abc", 0,
         ArchiveBytes::Narrow("LINK3", "abc").Get()},
        {"LINK4 revision after the tag; tag bytes kept, zero included",
         ArchiveBytes::Narrow("LINK4", zeroTag, 1).Get(), "LINK4", zeroTag, 1,
         ArchiveBytes::Narrow("LINK4", zeroTag, 2).Get()},
        {"LINK5 revision is 16-bit little-endian",
         ArchiveBytes::Narrow("LINK5", "xyz", 0x1234).Get(), "LINK5", "xyz", 0x1234,
         ArchiveBytes::Narrow("LINK5", "xyz", 2).Get()},
        {"LINK6 revision before the tag", ArchiveBytes::Link6(0x0102, "cg").Get(), "LINK6", "cg",
         0x0102, ArchiveBytes::Link6(2, "cg").Get()},
        {"LINK6 with an empty tag is eight bytes", ArchiveBytes::Link6(7, "").Get(), "LINK6", "",
         7, Bytes{'L', 'I', 'N', 'K', '6', 2, 0, 0}},
        {"LINK6 tag text ends at a zero byte", ArchiveBytes::Link6(1, std::string("a\0b", 3)).Get(),
         "LINK6", "a", 1, ArchiveBytes::Link6(2, "a").Get()},
        {"digit 2 reads as the LINK3 layout", ArchiveBytes::Narrow("LINK2", "abc").Get(), "LINK2",
         "abc", 0, {}},
        {"any other magic reads as the LINK3 layout",
         ArchiveBytes::Narrow("ABCDE", std::string("t\0g", 3)).Get(), "ABCDE",
         std::string("t\0g", 3), 0, {}},
        {"a magic with a zero byte ends there",
         ArchiveBytes::Narrow(std::string("LIN\0K", 5), "abc").Get(), "LIN", "abc", 0, {}},
    };
    for (const HeaderCase& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder folder;
        Bytes file = c.bytes;
        file.push_back(0xAA);  // the first byte behind the header
        folder.WriteFile("in.arc", file);
        auto in = OpenForReading(folder, "in.arc");
        ArcHeader header;
        header.revision = 99;
        ASSERT_TRUE(header.Read(in));
        EXPECT_EQ(header.magic, c.magic);
        EXPECT_EQ(header.tag, c.tag);
        EXPECT_EQ(header.revision, c.revision);
        EXPECT_EQ(in->ReadByte(), 0xAA);

        header.revision = 2;
        auto out = CreateForWriting(folder, "out.arc");
        if (c.rewrittenWithRevision2.empty()) {
            EXPECT_THROW(header.Write(out), PlainFailure);
        } else {
            header.Write(out);
        }
        out->Close();
        EXPECT_EQ(folder.ReadFile("out.arc"), c.rewrittenWithRevision2);
    }
}

TEST(ArcHeader, EveryShortHeaderFailsWithoutRaising) {
    const std::vector<Bytes> headers = {
        ArchiveBytes::Narrow("LINK3", "abc").Get(),
        ArchiveBytes::Narrow("LINK5", "abc", 1).Get(),
        ArchiveBytes::Link6(1, "cg").Get(),
    };
    for (const Bytes& full : headers) {
        for (std::size_t size = 0; size < full.size(); ++size) {
            SCOPED_TRACE(std::string(full.begin(), full.begin() + 5) + " cut to " +
                         std::to_string(size));
            TempFolder folder;
            folder.WriteFile("in.arc", Bytes(full.begin(), full.begin() + size));
            ArcHeader header;
            EXPECT_FALSE(header.Read(OpenForReading(folder, "in.arc")));
        }
    }
}

TEST(ArcEntry, EntriesRoundTripByteForByte) {
    struct Case {
        const char* label;
        Bytes archive;
        std::vector<std::string> names;
        std::vector<std::uint32_t> headerSizes;
        Bytes rewritten;  // empty: the same bytes
    };
    const std::string kanji = Cp932(u8"表ソ.bmp");
    ASSERT_EQ(kanji, std::string("\x95\x5C\x83\x5C.bmp"));  // trail bytes that look like '\'
    const std::vector<Case> cases = {
        {"LINK5: a five-byte name gives header size 21; kanji bytes kept",
         ArchiveBytes::Narrow("LINK5", "abc", 1)
             .Entry({.name = "a.bmp", .data = {1, 2, 3}, .kind = 0xBEEF,
                     .stamp = {1999, 12, 31, 23, 59, 58}})
             .Entry({.name = kanji, .data = {}})
             .End()
             .Get(),
         {"a.bmp", kanji}, {21, 16 + 8}, {}},
        {"LINK6: five UTF-16 units give header size 25; kanji converted both ways",
         ArchiveBytes::Link6(1, "cg")
             .Entry({.name = Utf16Le(u"a.bmp"), .data = {9}})
             .Entry({.name = Utf16Le(u"表ソ.bmp"), .data = {7, 7}, .kind = 1})
             .End()
             .Get(),
         {"a.bmp", kanji}, {25, 15 + 12}, {}},
        {"reserved bytes are ignored and written as zero",
         ArchiveBytes::Narrow("LINK4", "abc", 3)
             .Entry({.name = "a.bmp", .data = {1, 2}, .reserved = 0xFFFF})
             .End()
             .Get(),
         {"a.bmp"}, {21},
         ArchiveBytes::Narrow("LINK4", "abc", 3)
             .Entry({.name = "a.bmp", .data = {1, 2}})
             .End()
             .Get()},
        {"a zero cuts a narrow name, the walk stays in step, the record shrinks",
         ArchiveBytes::Narrow("LINK3", "abc")
             .Entry({.name = std::string("ab\0cd", 5), .data = {1}})
             .Entry({.name = "next", .data = {2}})
             .End()
             .Get(),
         {"ab", "next"}, {21, 20},
         ArchiveBytes::Narrow("LINK3", "abc")
             .Entry({.name = "ab", .data = {1}})
             .Entry({.name = "next", .data = {2}})
             .End()
             .Get()},
        {"only a header and the end marker", ArchiveBytes::Link6(1, "").End().Get(), {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder folder;
        Archive archive = ReadArchive(folder, c.archive);
        std::vector<std::string> names;
        for (const ArcEntry& entry : archive.entries) names.push_back(entry.name);
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(archive.headerSizes, c.headerSizes);
        EXPECT_EQ(WriteArchive(folder, archive), c.rewritten.empty() ? c.archive : c.rewritten);
    }
}

// Code page 932 cannot hold these names; a rewritten archive must not rename its entries.
TEST(ArcEntry, Link6NamesOutsideTheCodePageKeepTheirStoredBytes) {
    std::string oddCount = Utf16Le(u"ab");
    oddCount.pop_back();  // three bytes: the last one is paired with a zero byte
    const Bytes bytes = ArchiveBytes::Link6(1, "")
                            .Entry({.name = Utf16Le(u"\uD55C\uAE00.bmp"), .data = {1}})
                            .Entry({.name = Utf16Le(u"\u00E9\U0001F600"), .data = {2, 3}})
                            .Entry({.name = Utf16Le(std::u16string(u"a\0b", 3)), .data = {}})
                            .Entry({.name = oddCount, .data = {4}})
                            .End()
                            .Get();
    TempFolder folder;
    EXPECT_EQ(WriteArchive(folder, ReadArchive(folder, bytes)), bytes);
}

TEST(ArcEntry, DamagedEntryHeadersArePlainFailures) {
    const Bytes narrow = ArchiveBytes::Narrow("LINK3", "abc").Entry({.name = "a.bmp"}).Get();
    const Bytes unicode = ArchiveBytes::Link6(1, "").Entry({.name = Utf16Le(u"a.bmp")}).Get();
    struct Case {
        std::string label;
        Bytes bytes;
        bool unicode;
    };
    // A record length smaller than the header it gives would make the data size wrap.
    std::vector<Case> cases = {
        {"narrow record length below 21",
         ArchiveBytes::Narrow("LINK3", "abc")
             .Entry({.name = "a.bmp", .data = {1, 2}, .recordLength = 20})
             .End()
             .Get(),
         false},
        {"unicode record length below 25",
         ArchiveBytes::Link6(1, "")
             .Entry({.name = Utf16Le(u"a.bmp"), .data = {1, 2}, .recordLength = 1})
             .End()
             .Get(),
         true},
    };
    // Every cut inside an entry header, including a file that ends where the end marker belongs.
    for (std::size_t size = 8; size < narrow.size(); ++size) {
        cases.push_back({"narrow cut to " + std::to_string(size),
                         Bytes(narrow.begin(), narrow.begin() + size), false});
    }
    for (std::size_t size = 8; size < unicode.size(); ++size) {
        cases.push_back({"unicode cut to " + std::to_string(size),
                         Bytes(unicode.begin(), unicode.begin() + size), true});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder folder;
        folder.WriteFile("in.arc", c.bytes);
        auto stream = OpenForReading(folder, "in.arc");
        ArcHeader header;
        ASSERT_TRUE(header.Read(stream));
        ArcEntry entry;
        entry.unicodeNames = c.unicode;
        EXPECT_THROW(entry.Read(stream), PlainFailure);
    }
}

// What the layouts cannot hold is refused before a byte is written, never stored with a cut
// length field; an empty name fails on the writer's text.
TEST(ArcEntry, WritesOnlyWhatTheLayoutCanHold) {
    struct Case {
        const char* label;
        bool unicode;
        std::string name;
        std::uint32_t dataSize;
        std::string failure;  // "": written
    };
    const std::vector<Case> cases = {
        {"narrow name of 255 bytes", false, std::string(255, 'n'), 0, ""},
        {"narrow name of 256 bytes", false, std::string(256, 'n'), 0, "<plain>"},
        {"LINK6 name of 32768 units", true, std::string(32768, 'n'), 0, "<plain>"},
        {"record past 4 GiB", false, "a", 0xFFFFFFFF - 16, "<plain>"},
        {"empty narrow name", false, "", 0, Common::kWriteVectorFailed},
        {"empty LINK6 name", true, "", 0, Common::kWriteBlockFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder folder;
        auto out = CreateForWriting(folder, "out.arc");
        ArcEntry entry;
        entry.unicodeNames = c.unicode;
        entry.name = c.name;
        entry.dataSize = c.dataSize;
        EXPECT_EQ(FailureOf([&] { entry.Write(out); }), c.failure);
        if (c.failure == "<plain>") {
            EXPECT_EQ(out->GetLength(), 0);
        } else if (c.failure.empty()) {
            EXPECT_EQ(out->GetLength(), 16 + 255);
        }
    }
}

}  // namespace
}  // namespace Orvane
