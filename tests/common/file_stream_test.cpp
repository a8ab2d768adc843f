#include "common/file_stream.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/temp_folder.h"

namespace Orvane::Common {
namespace {

using Test::TempFolder;

constexpr std::uint32_t kReadShare = FileShare::Read | FileShare::Write;

std::shared_ptr<FileStream> OpenForReading(const std::string& path) {
    return std::make_shared<FileStream>(path, OpenExisting, FileAccess::Read, kReadShare);
}

TEST(FileStream, FailedOpenLeavesTheStreamClosed) {
    TempFolder folder;
    FileStream stream(folder / "present", CreateAlways, FileAccess::Write, FileShare::None);
    ASSERT_TRUE(stream.CanWrite());
    EXPECT_FALSE(stream.Open(folder / "missing", OpenExisting, FileAccess::Read, kReadShare));
    EXPECT_FALSE(stream.IsOpen());
    EXPECT_FALSE(stream.CanRead());
    EXPECT_FALSE(stream.CanWrite());
    EXPECT_EQ(stream.GetPath(), "");
    EXPECT_FALSE(stream.Open(nullptr, OpenAlways, FileAccess::Read, kReadShare));
    EXPECT_FALSE(stream.Open(folder / "present", 5, FileAccess::Read, kReadShare));
}

TEST(FileStream, CreationModes) {
    TempFolder folder;
    folder.WriteFile("existing", "12345");
    struct Case {
        std::uint32_t mode;
        bool onExisting;       // the open succeeds on an existing file
        bool onMissing;        // the open succeeds on a missing file
        std::int64_t length;   // the existing file's length afterwards
    } cases[] = {
        {CreateAlways, true, true, 0},
        {CreateNew, false, true, 5},
        {OpenExisting, true, false, 5},
        {OpenAlways, true, true, 5},
        {TruncateExisting, true, false, 0},
        {0x100 | OpenExisting, true, false, 5},  // only the low 8 bits count
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        folder.WriteFile("existing", "12345");
        FileStream existing(folder / "existing", c.mode, FileAccess::Write, FileShare::None);
        EXPECT_EQ(existing.CanWrite(), c.onExisting);
        existing.Close();
        EXPECT_EQ(static_cast<std::int64_t>(folder.ReadFile("existing").size()), c.length);
        FileStream missing(folder / ("new" + std::to_string(c.mode)), c.mode, FileAccess::Write,
                           FileShare::None);
        EXPECT_EQ(missing.CanWrite(), c.onMissing);
    }
}

TEST(FileStream, ReadOnlyStreamRefusesWritesButSeeks) {
    TempFolder folder;
    folder.WriteFile("f", "abcdef");
    auto stream = OpenForReading(folder / "f");
    ASSERT_TRUE(stream->CanRead());
    EXPECT_FALSE(stream->CanWrite());
    EXPECT_FALSE(stream->Write("xy", 2));
    EXPECT_FALSE(stream->WriteByte('x'));
    EXPECT_TRUE(stream->Seek(3, 0));
    EXPECT_EQ(stream->GetPosition(), 3);
    EXPECT_EQ(stream->ReadByte(), 'd');
    stream->Close();
    EXPECT_EQ(folder.ReadFile("f"), std::vector<std::uint8_t>({'a', 'b', 'c', 'd', 'e', 'f'}));
}

TEST(FileStream, WriteOnlyStreamRefusesReads) {
    TempFolder folder;
    FileStream stream(folder / "f", CreateAlways, FileAccess::Write, FileShare::None);
    char buffer[4];
    std::uint32_t got = 7;
    EXPECT_FALSE(stream.Read(buffer, 4, &got));
    EXPECT_EQ(stream.ReadByte(), -1);
}

TEST(FileStream, ClosedStreamResults) {
    FileStream stream;
    char buffer[4];
    std::uint32_t count = 0;
    EXPECT_FALSE(stream.IsOpen());
    EXPECT_EQ(stream.GetLength(), 0);
    EXPECT_EQ(stream.GetPosition(), -1);
    EXPECT_FALSE(stream.Seek(0, 0));
    EXPECT_FALSE(stream.Read(buffer, 4));
    EXPECT_FALSE(stream.Read(buffer, 4, &count));
    EXPECT_FALSE(stream.Write(buffer, 4));
    EXPECT_FALSE(stream.WriteByte(1));
    EXPECT_FALSE(stream.SetLength(0));
    EXPECT_EQ(stream.ReadByte(), -1);
    stream.Close();  // closing a closed stream changes nothing
    EXPECT_FALSE(stream.IsOpen());
}

TEST(FileStream, ShortReadInBothForms) {
    TempFolder folder;
    folder.WriteFile("f", "0123456789ABCDE");  // 15 bytes
    auto stream = OpenForReading(folder / "f");
    char buffer[8] = {};
    ASSERT_TRUE(stream->Seek(-5, 2));
    EXPECT_FALSE(stream->Read(buffer, 8));
    EXPECT_EQ(std::string(buffer, 5), "ABCDE");

    ASSERT_TRUE(stream->Seek(10, 0));
    std::uint32_t got = 0;
    EXPECT_TRUE(stream->Read(buffer, 8, &got));
    EXPECT_EQ(got, 5u);
    EXPECT_TRUE(stream->Read(buffer, 8, &got));  // at the end: true with nothing read
    EXPECT_EQ(got, 0u);
}

TEST(FileStream, ReadByteTellsByteFromEnd) {
    TempFolder folder;
    folder.WriteFile("f", std::vector<std::uint8_t>{0xFF, 0x00});
    auto stream = OpenForReading(folder / "f");
    EXPECT_EQ(stream->ReadByte(), 255);
    EXPECT_EQ(stream->ReadByte(), 0);
    EXPECT_EQ(stream->ReadByte(), -1);
}

TEST(FileStream, SeekingPastTheEndAndBeforeTheStart) {
    TempFolder folder;
    folder.WriteFile("f", "abc");
    FileStream stream(folder / "f", OpenExisting, FileAccess::Read | FileAccess::Write,
                      FileShare::None);
    EXPECT_TRUE(stream.Seek(10, 2));
    EXPECT_EQ(stream.GetPosition(), 13);
    EXPECT_EQ(stream.GetLength(), 3);
    EXPECT_FALSE(stream.Seek(-4, 0));
    EXPECT_FALSE(stream.Seek(-20, 1));
    ASSERT_TRUE(stream.Seek(10, 2));
    EXPECT_TRUE(stream.WriteByte('z'));
    EXPECT_EQ(stream.GetLength(), 14);
}

TEST(FileStream, SetLengthCutsAndExtends) {
    TempFolder folder;
    folder.WriteFile("f", "abcdef");
    FileStream stream(folder / "f", OpenExisting, FileAccess::Read | FileAccess::Write,
                      FileShare::None);
    EXPECT_TRUE(stream.SetLength(2));
    EXPECT_EQ(stream.GetLength(), 2);
    EXPECT_EQ(stream.GetPosition(), 2);
    EXPECT_TRUE(stream.SetLength(8));
    EXPECT_EQ(stream.GetLength(), 8);
}

// Positions and sizes whose low half is 0xFFFFFFFF are valid results, not failures.
TEST(FileStream, FourGibMinusOneIsAValidSizeAndPosition) {
    TempFolder folder;
    constexpr std::int64_t kSize = 0xFFFFFFFFLL;
    FileStream stream(folder / "sparse", CreateAlways, FileAccess::Read | FileAccess::Write,
                      FileShare::None);
    ASSERT_TRUE(stream.SetLength(kSize));  // sparse on both file systems used here
    EXPECT_EQ(stream.GetLength(), kSize);
    EXPECT_EQ(stream.GetPosition(), kSize);
    EXPECT_TRUE(stream.Seek(kSize, 0));
    EXPECT_EQ(stream.GetPosition(), kSize);
    EXPECT_TRUE(stream.Seek(1, 1));
    EXPECT_EQ(stream.GetPosition(), kSize + 1);
}

TEST(FileStream, LastHolderClosesTheFile) {
    TempFolder folder;
    std::string path = folder / "f";
    {
        auto stream = std::make_shared<FileStream>(path, CreateAlways, FileAccess::Write,
                                                   FileShare::None);
        ASSERT_TRUE(stream->Write("abc", 3));
        std::shared_ptr<StreamBase> other = stream;
        stream.reset();
        EXPECT_TRUE(other->IsOpen());
    }
    // Opened without sharing before: a new exclusive open succeeds only once it is closed.
    FileStream again(path, OpenExisting, FileAccess::Write, FileShare::None);
    EXPECT_TRUE(again.CanWrite());
}

TEST(FileStream, OptionsSelectPlatformFlags) {
    struct Case {
        std::uint32_t options;
        std::uint32_t flags;
    } cases[] = {
        {FileOptions::None, 0x80},
        {FileOptions::SequentialScan, 0x08000000},
        {FileOptions::Encrypted | FileOptions::WriteThrough, 0x80004000},
        {FileOptions::DeleteOnClose | FileOptions::RandomAccess, 0x14000000},
        {0x04 | 0x40 | 0x80, 0},  // bits without a meaning select nothing, not NORMAL
        {0x100, 0x80},            // only the low 8 bits count
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlatformFlagsFor(c.options), c.flags) << c.options;
    }
}

TEST(FileStream, DeleteOnCloseRemovesTheFile) {
    TempFolder folder;
    {
        FileStream stream(folder / "gone", CreateAlways, FileAccess::Write, FileShare::Delete,
                          FileOptions::DeleteOnClose);
        ASSERT_TRUE(stream.CanWrite());
        EXPECT_TRUE(folder.Exists("gone"));
    }
    EXPECT_FALSE(folder.Exists("gone"));
}

}  // namespace
}  // namespace Orvane::Common
