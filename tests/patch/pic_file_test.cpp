#include "patch/pic_file.h"

#include <gtest/gtest.h>

#include "fixture_file.h"
#include "support/text.h"

namespace Orvane {
namespace {

using Test::ByteBuilder;
using Test::Bytes;
using Test::Cp932;
using Test::OpenBytes;
using Test::TempFolder;
using namespace std::string_literals;

// kind 0, "a.txt", both stamps 2024-03-05 14:30:00, data "xyz".
const Bytes kEntryExample = {
    0x00, 0x00,                                            // kind
    0x0A, 0x00,                                            // N = 10
    0x61, 0x00, 0x2E, 0x00, 0x74, 0x00, 0x78, 0x00, 0x74, 0x00,  // "a.txt"
    0xE8, 0x07, 0x03, 0x05, 0x0E, 0x1E, 0x00,              // created 2024-03-05 14:30:00
    0xE8, 0x07, 0x03, 0x05, 0x0E, 0x1E, 0x00,              // modified
    0x03, 0x00, 0x00, 0x00,                                // S = 3
    0x78, 0x79, 0x7A,                                      // data
};

Bytes Entry(std::uint16_t kind, const std::u16string& name, const Bytes& data) {
    return ByteBuilder().U16(kind).Text16(name).Stamp(2001, 2, 3, 4, 5, 6)
        .Stamp(2024, 3, 5, 14, 30, 0).U32(static_cast<std::uint32_t>(data.size())).Append(data)
        .Get();
}

Bytes EntryWithStamp(int year, int month, int day, int hour) {
    return ByteBuilder().U16(0).Text16(u"a").Stamp(year, month, day, hour, 0, 0)
        .Stamp(2024, 1, 1, 0, 0, 0).U32(0).Get();
}

class PicFileTest : public testing::Test {
protected:
    std::shared_ptr<Common::FileStream> Open(const Bytes& bytes) {
        return OpenBytes(folder_, bytes);
    }
    TempFolder folder_;
};

TEST_F(PicFileTest, LoadsTheExampleEntryAndStopsBehindIt) {
    auto stream = Open(ByteBuilder().Append(kEntryExample).Ascii("next").Get());
    PicFile file;
    ASSERT_TRUE(file.Load(stream));
    EXPECT_EQ(file.kind, 0);
    EXPECT_EQ(file.name, "a.txt");
    EXPECT_EQ(*file.created, Basic::CTime(2024, 3, 5, 14, 30, 0));
    EXPECT_EQ(*file.modified, Basic::CTime(2024, 3, 5, 14, 30, 0));
    EXPECT_EQ(file.data, (Bytes{'x', 'y', 'z'}));
    EXPECT_EQ(stream->GetPosition(), 35);
}

TEST_F(PicFileTest, LoadsNamesKindsAndEmptyData) {
    struct Case { Bytes entry; std::uint16_t kind; std::string name; std::size_t size; };
    const Case cases[] = {
        {Entry(7, u"", {1}), 7, "", 1},
        {Entry(0, u"a.txt", {}), 0, "a.txt", 0},
        {Entry(0, u"ab\0cd"s, {1, 2}), 0, "ab", 2},
        {Entry(0xFFFF, u"画像.bmp", {1}), 0xFFFF, Cp932(u8"画像.bmp"), 1},
    };
    for (const Case& c : cases) {
        PicFile file;
        ASSERT_TRUE(file.Load(Open(c.entry))) << c.name;
        EXPECT_EQ(file.kind, c.kind);
        EXPECT_EQ(file.name, c.name);
        EXPECT_EQ(file.data.size(), c.size);
        EXPECT_EQ(*file.created, Basic::CTime(2001, 2, 3, 4, 5, 6));
    }
}

TEST_F(PicFileTest, RefusesDamagedEntries) {
    struct Case { const char* what; Bytes entry; };
    std::vector<Case> cases = {
        {"month 0", EntryWithStamp(2024, 0, 1, 0)},
        {"month 13", EntryWithStamp(2024, 13, 1, 0)},
        {"hour 24", EntryWithStamp(2024, 1, 1, 24)},
        {"year 1899", EntryWithStamp(1899, 12, 31, 0)},
        {"size past the end", ByteBuilder().U16(0).Text16(u"a").Stamp(2024, 1, 1, 0, 0, 0)
             .Stamp(2024, 1, 1, 0, 0, 0).U32(0xFFFFFFF0).Append({1, 2, 3}).Get()},
    };
    for (std::size_t size = 0; size < kEntryExample.size(); ++size) {
        cases.push_back({"cut", Bytes(kEntryExample.begin(), kEntryExample.begin() + size)});
    }
    for (const Case& c : cases) {
        PicFile file;
        EXPECT_FALSE(file.Load(Open(c.entry))) << c.what << " " << c.entry.size();
    }
}

TEST_F(PicFileTest, IndexesEveryEntryWithoutReadingData) {
    Bytes first = Entry(1, u"one", {1, 2, 3});
    Bytes second = Entry(2, u"two", {});
    auto stream = Open(ByteBuilder().U8(0xEE).U16(3).Append(first).Append(second)
                           .Append(kEntryExample).Get());
    stream->Seek(1, 0);
    std::vector<std::uint32_t> positions;
    ASSERT_TRUE(IndexFileTable(stream, positions));
    std::uint32_t firstAt = 3;
    auto secondAt = static_cast<std::uint32_t>(firstAt + first.size());
    auto thirdAt = static_cast<std::uint32_t>(secondAt + second.size());
    EXPECT_EQ(positions, (std::vector<std::uint32_t>{firstAt, secondAt, thirdAt}));
    EXPECT_EQ(LoadPicFile(stream, positions, 1)->name, "two");
    EXPECT_EQ(LoadPicFile(stream, positions, 2)->data, (Bytes{'x', 'y', 'z'}));

    positions.clear();
    EXPECT_TRUE(IndexFileTable(Open({0, 0}), positions));
    EXPECT_TRUE(positions.empty());
}

// The walk reads only the length fields: data cut short fails when it is loaded; a cut before
// the next entry's fields fails the walk.
TEST_F(PicFileTest, WalkChecksOnlyTheLengthFields) {
    Bytes cut(kEntryExample.begin(), kEntryExample.end() - 1);
    auto stream = Open(ByteBuilder().U16(1).Append(cut).Get());
    std::vector<std::uint32_t> positions;
    ASSERT_TRUE(IndexFileTable(stream, positions));
    EXPECT_EQ(LoadPicFile(stream, positions, 0), nullptr);
    EXPECT_FALSE(IndexFileTable(Open(ByteBuilder().U16(2).Append(kEntryExample).Get()), positions));
}

TEST_F(PicFileTest, IndexPastTheTableLeavesTheStreamAlone) {
    auto stream = Open(ByteBuilder().Append(kEntryExample).Get());
    std::vector<std::uint32_t> positions = {0};
    stream->Seek(7, 0);
    EXPECT_EQ(LoadPicFile(stream, positions, 1), nullptr);
    EXPECT_EQ(stream->GetPosition(), 7);
}

}  // namespace
}  // namespace Orvane
