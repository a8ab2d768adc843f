// Open files: creation dispositions, reading, writing, seeking, sizes and times.
#include <gtest/gtest.h>

#include "open_file.h"
#include "platform/os.h"
#include "support/temp_folder.h"

namespace Orvane::Os {
namespace {

using Test::OpenedFile;
using Test::TempFolder;

constexpr FileTime kMarch5th2024 = 133541226002500000;  // 2024-03-05 14:30:00.250 UTC

std::int64_t SizeOf(const OpenedFile& file) {
    std::int64_t size = -1;
    EXPECT_TRUE(GetFileSize(file.Handle(), &size));
    return size;
}

std::int64_t Seek(const OpenedFile& file, std::int64_t distance, SeekOrigin origin) {
    std::int64_t position = -1;
    return SetFilePointer(file.Handle(), distance, origin, &position) ? position : -1;
}

TEST(OpenFile, FollowsTheCreationDispositions) {
    struct Case {
        CreateMode mode;
        bool opensPresent;
        std::int64_t sizeAfter;  // of the present file, 3 bytes before
        bool opensMissing;
    } cases[] = {
        {CreateMode::CreateAlways, true, 0, true},      {CreateMode::CreateNew, false, 3, true},
        {CreateMode::OpenExisting, true, 3, false},     {CreateMode::OpenAlways, true, 3, true},
        {CreateMode::TruncateExisting, true, 0, false},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        folder.WriteFile("present", "abc");
        OpenedFile present(folder / "present", c.mode, true, true);
        OpenedFile missing(folder / "missing", c.mode, true, true);
        int mode = static_cast<int>(c.mode);
        EXPECT_EQ(present.IsOpen(), c.opensPresent) << mode;
        EXPECT_EQ(folder.ReadFile("present").size(), static_cast<std::size_t>(c.sizeAfter)) << mode;
        EXPECT_EQ(missing.IsOpen(), c.opensMissing) << mode;
        EXPECT_EQ(folder.Exists("missing"), c.opensMissing) << mode;
    }
}

TEST(OpenFile, RefusesFoldersAndOpensOnlyWithTheAccessAsked) {
    TempFolder folder;
    EXPECT_FALSE(OpenedFile(folder.Path(), CreateMode::OpenExisting, true, false).IsOpen());
    folder.WriteFile("file", "abc");
    char buffer[3];
    std::uint32_t count = 0;
    OpenedFile reader(folder / "file", CreateMode::OpenExisting, true, false);
    EXPECT_FALSE(WriteFile(reader.Handle(), "x", 1, &count));
    EXPECT_FALSE(SetEndOfFile(reader.Handle()));
    OpenedFile writer(folder / "file", CreateMode::OpenExisting, false, true);
    EXPECT_FALSE(ReadFile(writer.Handle(), buffer, sizeof buffer, &count));
}

TEST(OpenFile, ReadsWritesAndSeeks) {
    TempFolder folder;
    OpenedFile file(folder / "file", CreateMode::CreateNew, true, true);
    std::uint32_t count = 0;
    ASSERT_TRUE(WriteFile(file.Handle(), "hello", 5, &count));
    EXPECT_EQ(count, 5u);
    EXPECT_EQ(Seek(file, 1, SeekOrigin::Begin), 1);
    char buffer[8] = {};
    ASSERT_TRUE(ReadFile(file.Handle(), buffer, 8, &count));
    EXPECT_EQ(std::string(buffer, count), "ello");
    ASSERT_TRUE(ReadFile(file.Handle(), buffer, 8, &count));
    EXPECT_EQ(count, 0u);  // at the end: success, nothing read
    std::int64_t position = 0;
    EXPECT_FALSE(SetFilePointer(file.Handle(), -1, SeekOrigin::Begin, &position));
    EXPECT_FALSE(SetFilePointer(file.Handle(), -6, SeekOrigin::Current, &position));
    EXPECT_EQ(Seek(file, 0, SeekOrigin::Current), 5);  // a failed seek moves nothing
    EXPECT_EQ(Seek(file, 10, SeekOrigin::End), 15);
    EXPECT_EQ(SizeOf(file), 5);  // until something is written there
}

TEST(OpenFile, ReportsASizeOf4GiBMinusOneExactly) {
    TempFolder folder;
    OpenedFile file(folder / "sparse", CreateMode::CreateNew, true, true);
    constexpr std::int64_t kSize = 0xFFFFFFFF;
    ASSERT_EQ(Seek(file, kSize, SeekOrigin::Begin), kSize);
    ASSERT_TRUE(SetEndOfFile(file.Handle()));
    EXPECT_EQ(SizeOf(file), kSize);
    EXPECT_EQ(Seek(file, 0, SeekOrigin::End), kSize);
}

TEST(OpenFile, DeletesOnCloseWhenAsked) {
    TempFolder folder;
    OpenedFile file(folder / "scratch", CreateMode::CreateNew, true, true, kFlagDeleteOnClose);
    ASSERT_TRUE(file.IsOpen());
    EXPECT_TRUE(folder.Exists("scratch"));
    file.Close();
    EXPECT_FALSE(folder.Exists("scratch"));
}

TEST(OpenFile, SetsTheTimesGivenThroughAWritingHandle) {
    TempFolder folder;
    folder.WriteFile("file", "abc");
#ifndef _WIN32
    // Windows refuses times through a handle without write access; Wine does not.
    OpenedFile reader(folder / "file", CreateMode::OpenExisting, true, false);
    EXPECT_FALSE(SetFileTime(reader.Handle(), nullptr, nullptr, &kMarch5th2024));
#endif
    OpenedFile file(folder / "file", CreateMode::OpenExisting, true, true);
    FileTime access = kMarch5th2024 - 10'000'000;
    ASSERT_TRUE(SetFileTime(file.Handle(), nullptr, &access, &kMarch5th2024));
    file.Close();
    std::optional<FindData> found = FindFirstFile(folder / "file");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->lastWrite, kMarch5th2024);
    EXPECT_EQ(found->lastAccess, access);
}

#ifndef _WIN32
// Root may write any file; Windows refuses to write a read-only one whoever asks, and so must
// the Linux build. (Wine running as root does not refuse, so this is Linux only.)
TEST(OpenFile, RefusesToWriteAReadOnlyFileEvenAsRoot) {
    TempFolder folder;
    folder.WriteFile("locked", "abc");
    folder.MakeReadOnly("locked", true);
    EXPECT_FALSE(OpenedFile(folder / "locked", CreateMode::OpenExisting, true, true).IsOpen());
    EXPECT_FALSE(OpenedFile(folder / "locked", CreateMode::CreateAlways, false, true).IsOpen());
    EXPECT_TRUE(OpenedFile(folder / "locked", CreateMode::OpenExisting, true, false).IsOpen());
    EXPECT_EQ(folder.ReadFile("locked").size(), 3u);
}
#endif

}  // namespace
}  // namespace Orvane::Os
