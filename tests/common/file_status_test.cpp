#include "common/file_status.h"

#include <gtest/gtest.h>

#include "platform/os.h"
#include "support/temp_folder.h"

namespace Orvane::Common {
namespace {

using Basic::CTime;
using Test::TempFolder;

FileStatus StatusOf(const std::string& path) {
    FileStatus status;
    EXPECT_TRUE(GetFileStatus(path, &status)) << path;
    return status;
}

FileStatus Stamp(std::uint8_t attributes, CTime modified) {
    FileStatus status;
    status.attributes = attributes;
    status.modified = modified;
    status.lastAccess = modified;
    status.created = modified;
    return status;
}

const CTime kStamp(2020, 1, 2, 3, 4, 5, -1);

TEST(GetFileStatus, ReadsAFile) {
    TempFolder folder;
    folder.WriteFile("f.bin", "12345");
    FileStatus status = StatusOf(folder / "f.bin");
    EXPECT_EQ(status.size, 5u);
    EXPECT_EQ(status.attributes & kDirectory, 0);
    EXPECT_EQ(status.attributes & kReadOnly, 0);
    EXPECT_NE(status.modified.GetTime(), 0);
    EXPECT_NE(status.created.GetTime(), 0);
    EXPECT_NE(status.lastAccess.GetTime(), 0);
    EXPECT_TRUE(GetFileStatus(folder / "f.bin", nullptr));
}

TEST(GetFileStatus, FolderHasTheDirectoryBit) {
    TempFolder folder;
    folder.WriteFile("sub/f", "x");
    std::string path = folder / "sub";
    EXPECT_NE(StatusOf(path).attributes & kDirectory, 0);
}

TEST(GetFileStatus, MissingOrOverlongPathsAreFalse) {
    TempFolder folder;
    FileStatus status;
    EXPECT_FALSE(GetFileStatus(folder / "missing", &status));
    std::string longPath = folder.Path();
    longPath.resize(260, 'a');
    EXPECT_FALSE(GetFileStatus(longPath, &status));
    EXPECT_EQ(status.modified.GetTime(), 0);  // untouched
}

TEST(SetFileStatus, StampsTimesToTheSecond) {
    TempFolder folder;
    folder.WriteFile("f", "x");
    SetFileStatus(folder / "f", Stamp(kArchive, kStamp));
    FileStatus status = StatusOf(folder / "f");
    EXPECT_EQ(status.modified, kStamp);
    EXPECT_EQ(status.lastAccess, kStamp);
#ifdef _WIN32
    EXPECT_EQ(status.created, kStamp);  // POSIX file systems cannot set a creation time
#endif
}

// A read-only file must be made writable before its times can be set, and a read-only
// attribute being set must come after them; otherwise the times would be lost.
TEST(SetFileStatus, OrdersTheReadOnlyAttributeAroundTheTimes) {
    TempFolder folder;
    folder.WriteFile("was-read-only", "x");
    folder.MakeReadOnly("was-read-only", true);
    SetFileStatus(folder / "was-read-only", Stamp(kArchive, kStamp));
    FileStatus cleared = StatusOf(folder / "was-read-only");
    EXPECT_EQ(cleared.attributes & kReadOnly, 0);
    EXPECT_EQ(cleared.modified, kStamp);

    folder.WriteFile("becomes-read-only", "x");
    SetFileStatus(folder / "becomes-read-only", Stamp(kArchive | kReadOnly, kStamp));
    FileStatus set = StatusOf(folder / "becomes-read-only");
    EXPECT_NE(set.attributes & kReadOnly, 0);
    EXPECT_EQ(set.modified, kStamp);
}

TEST(SetFileStatus, WithoutAWriteTimeOnlyTheAttributesChange) {
    TempFolder folder;
    folder.WriteFile("f", "x");
    SetFileStatus(folder / "f", Stamp(kArchive, kStamp));
    SetFileStatus(folder / "f", Stamp(kArchive | kReadOnly, CTime()));
    FileStatus status = StatusOf(folder / "f");
    EXPECT_EQ(status.modified, kStamp);
    EXPECT_NE(status.attributes & kReadOnly, 0);
}

TEST(SetFileStatus, MissingFileIsIgnored) {
    TempFolder folder;
    EXPECT_NO_THROW(SetFileStatus(folder / "missing", Stamp(kArchive, kStamp)));
    EXPECT_FALSE(folder.Exists("missing"));
}

}  // namespace
}  // namespace Orvane::Common
