// The entry-by-entry diff of one archive against byte-exact archives: which removal records and
// additions it plans, and why it ships an archive whole.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "author/archive_diff.h"
#include "author/entry_addability.h"
#include "support/archive_builder.h"
#include "support/temp_folder.h"
#include "support/text.h"

namespace Orvane::Test {
namespace {

using Author::ArchiveImage;

EntryBytes E(const std::string& name, const std::string& data, std::uint16_t reserved = 0) {
    return EntryBytes{name, Bytes(data.begin(), data.end()), 4, {}, reserved};
}

EntryBytes April31(const std::string& name) {
    EntryBytes entry = E(name, "old");
    entry.stamp.month = 4;
    entry.stamp.day = 31;
    return entry;
}

Bytes Link4(std::uint16_t revision, const std::vector<EntryBytes>& entries) {
    ArchiveBytes archive = ArchiveBytes::Narrow("LINK4", "ARC", revision);
    for (const EntryBytes& entry : entries) archive.Entry(entry);
    return archive.End().Get();
}

Bytes Link3(const std::vector<EntryBytes>& entries) {
    ArchiveBytes archive = ArchiveBytes::Narrow("LINK3", "ARC");
    for (const EntryBytes& entry : entries) archive.Entry(entry);
    return archive.End().Get();
}

Bytes Link6(std::uint16_t revision, const std::string& tag,
            const std::vector<EntryBytes>& entries) {
    ArchiveBytes archive = ArchiveBytes::Link6(revision, tag);
    for (const EntryBytes& entry : entries) archive.Entry(entry);
    return archive.End().Get();
}

Bytes Then(Bytes bytes, const std::string& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
    return bytes;
}

const std::string kSnowman = Utf16Le(u"\u2603");  // no code page 932 character

struct ArchiveCase {
    const char* what;
    std::vector<Bytes> olds;  // the copies a rebuild meets
    Bytes newer;
    std::uint16_t target;
    std::vector<ArchiveRemoval> removals;
    std::vector<std::size_t> additions;
    const char* wholeReason = nullptr;  // how the reason ends when the archive goes whole
    std::size_t reordered = 0;          // additions every copy holds unchanged
};

void PrintTo(const ArchiveCase& c, std::ostream* out) { *out << c.what; }

const ArchiveCase kCases[] = {
    {"a replaced entry is removed and appended",
     {Link4(1, {E("a", "1"), E("b", "2"), E("c", "3")})},
     Link4(2, {E("a", "1"), E("c", "3"), E("b", "new")}),
     2,
     {{1, "b"}},
     {2}},
    {"reordered entries are removed until the order is the new one",
     {Link4(1, {E("a", "1"), E("b", "2"), E("c", "3")})},
     Link4(2, {E("c", "3"), E("a", "1"), E("b", "2")}),
     2,
     {{1, "a"}, {1, "b"}},
     {1, 2},
     nullptr,
     2},
    {"a removal at the lower revision spares the copy above it",
     {Link4(1, {E("x", "1"), E("x", "2"), E("y", "3")}), Link4(2, {E("x", "2"), E("y", "3")})},
     Link4(3, {E("x", "2"), E("y", "3"), E("z", "4")}),
     3,
     {{1, "x"}},
     {2}},
    {"a higher copy needing more removals than a lower one is rebuilt from payloads",
     {Link4(1, {E("x", "2"), E("y", "3")}), Link4(2, {E("x", "1"), E("x", "2"), E("y", "3")})},
     Link4(3, {E("x", "2"), E("y", "3"), E("z", "4")}),
     3,
     {{2, "x"}, {2, "x"}, {2, "y"}},
     {0, 1, 2},
     nullptr,
     2},
    {"an old entry's reserved bytes are written as zero, as the new archive stores them",
     {Link4(1, {E("a", "1", 0x0505), E("b", "2")})},
     Link4(2, {E("a", "1"), E("b", "2"), E("c", "3")}),
     2,
     {},
     {2}},
    {"LINK3 also removes what it adds, so that the next run ends the same",
     {Link3({E("a", "1"), E("b", "2")})},
     Link3({E("a", "1"), E("b", "2"), E("c", "3")}),
     1,
     {{0, "c"}},
     {2}},
    {"LINK3 adding a name it keeps rebuilds everything",
     {Link3({E("a", "1"), E("b", "2")})},
     Link3({E("a", "1"), E("b", "2"), E("a", "new")}),
     1,
     {{0, "a"}, {0, "a"}, {0, "b"}},
     {0, 1, 2},
     nullptr,
     2},
    {"an entry no payload can bring back is kept where it stands",
     {Link4(1, {April31("a"), E("b", "2")})},
     Link4(2, {April31("a"), E("b", "2"), E("c", "3")}),
     2,
     {},
     {2}},
    {"a LINK6 name outside code page 932 is kept",
     {Link6(1, "cg", {E(kSnowman, "1")})},
     Link6(2, "cg", {E(kSnowman, "1"), E(Utf16Le(u"b"), "2")}),
     2,
     {},
     {1}},
    {"an entry no payload can bring back that must move",
     {Link4(1, {April31("a"), E("b", "2")})},
     Link4(2, {E("b", "2"), April31("a")}),
     2,
     {},
     {},
     Author::kStampNotKept},
    {"a LINK6 name outside code page 932 that must be added",
     {Link6(1, "cg", {E(Utf16Le(u"b"), "1")})},
     Link6(2, "cg", {E(Utf16Le(u"b"), "1"), E(kSnowman, "2")}),
     2,
     {},
     {},
     Author::kNameOutsideCodePage},
    {"reserved bytes that are not zero",
     {Link4(1, {E("a", "1")})},
     Link4(2, {E("a", "1", 7), E("b", "2")}),
     2,
     {},
     {},
     Author::kReservedNotZero},
    {"a zero byte in a name",
     {Link4(1, {E("a", "1")})},
     Link4(2, {E("a", "1"), E(std::string("b\0c", 3), "2")}),
     2,
     {},
     {},
     Author::kZeroInName},
    {"bytes behind the end marker",
     {Link4(1, {E("a", "1")})},
     Then(Link4(2, {E("a", "1")}), "??"),
     2,
     {},
     {},
     Author::kTrailingBytes},
    {"a LINK6 tag holding a zero byte",
     {Link6(1, "c", {E(Utf16Le(u"a"), "1")})},
     Link6(2, std::string("c\0", 2), {E(Utf16Le(u"a"), "2")}),
     2,
     {},
     {},
     Author::kHeaderNotRewritten},
};

class ArchiveDiffTest : public testing::TestWithParam<ArchiveCase> {
protected:
    void SetUp() override {
        if (const char* zone = std::getenv("TZ")) oldZone_ = zone;
        ::setenv("TZ", "JST-9", 1);
        ::tzset();
    }
    void TearDown() override {
        oldZone_.empty() ? ::unsetenv("TZ") : ::setenv("TZ", oldZone_.c_str(), 1);
        ::tzset();
    }

    ArchiveImage Image(const Bytes& bytes) {
        std::string name = "a" + std::to_string(++files_) + ".arc";
        folder_.WriteFile(name, bytes);
        std::string utf8 = Utf8(folder_ / name);
        std::optional<ArchiveImage> image = Author::ReadArchiveImage(
            std::filesystem::path(std::u8string(utf8.begin(), utf8.end())));
        if (!image) throw std::runtime_error("the fixture is not a complete archive");
        return *image;
    }

private:
    TempFolder folder_;
    int files_ = 0;
    std::string oldZone_;
};

TEST_P(ArchiveDiffTest, PlansTheUpdateOrSaysWhyNot) {
    const ArchiveCase& c = GetParam();
    ArchiveImage newer = Image(c.newer);
    std::vector<ArchiveImage> olds;
    for (const Bytes& old : c.olds) olds.push_back(Image(old));
    std::vector<const ArchiveImage*> rebuilt;
    for (const ArchiveImage& old : olds) rebuilt.push_back(&old);
    if (newer.header.magic == "LINK3") rebuilt.push_back(&newer);

    Author::ArchiveDiff diff = Author::DiffArchive(newer, rebuilt, c.target);

    if (c.wholeReason != nullptr) {
        ASSERT_FALSE(diff.update);
        EXPECT_TRUE(diff.wholeReason.ends_with(c.wholeReason)) << diff.wholeReason;
        return;
    }
    ASSERT_TRUE(diff.update) << diff.wholeReason;
    EXPECT_EQ(diff.update->revision, c.target);
    EXPECT_EQ(diff.update->removals, c.removals);
    EXPECT_EQ(diff.update->additions, c.additions);
    EXPECT_EQ(diff.update->reordered, c.reordered);
    EXPECT_EQ(diff.update->reorderedBytes, c.reordered);  // one data byte per entry here
}

INSTANTIATE_TEST_SUITE_P(Cases, ArchiveDiffTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ArchiveCase>& info) {
                             return "Case" + std::to_string(info.index);
                         });

}  // namespace
}  // namespace Orvane::Test
