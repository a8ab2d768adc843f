#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/binary_writer.h"
#include "common/buffered_reader.h"
#include "common/buffered_writer.h"
#include "common/byte_copy.h"
#include "common/failure.h"
#include "support/temp_folder.h"

namespace Orvane::Common {
namespace {

using Test::TempFolder;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kSmallBlock = 8;

Bytes Pattern(std::size_t size, std::uint8_t seed = 1) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 13);
    return bytes;
}

std::shared_ptr<FileStream> Open(const std::string& path, std::uint32_t mode,
                                 std::uint32_t access) {
    return std::make_shared<FileStream>(path, mode, access, FileShare::Read | FileShare::Write);
}

// One step on a stream and what it gave, so that two streams can be compared step by step.
using Step = std::function<std::string(StreamBase&)>;

Step ReadExact(std::uint32_t count) {
    return [count](StreamBase& s) {
        Bytes buffer(count, 0xEE);
        bool ok = s.Read(buffer.data(), count);
        return "read " + std::to_string(ok) + " " + std::string(buffer.begin(), buffer.end());
    };
}
Step ReadSome(std::uint32_t count) {
    return [count](StreamBase& s) {
        Bytes buffer(count, 0xEE);
        std::uint32_t got = 99;
        bool ok = s.Read(buffer.data(), count, &got);
        return "some " + std::to_string(ok) + " " + std::to_string(got) + " " +
               std::string(buffer.begin(), buffer.begin() + got);
    };
}
Step SeekTo(std::int64_t offset, int origin) {
    return [=](StreamBase& s) {
        bool ok = s.Seek(offset, origin);
        return "seek " + std::to_string(ok) + " at " + std::to_string(s.GetPosition());
    };
}
Step NextByte() {
    return [](StreamBase& s) { return "byte " + std::to_string(s.ReadByte()); };
}

// The reader gives what the file stream gives, step by step, whatever its block size.
TEST(BufferedReader, GivesWhatTheFileStreamGives) {
    TempFolder folder;
    folder.WriteFile("f", Pattern(100));
    struct Case {
        const char* label;
        std::vector<Step> steps;
    };
    const std::vector<Case> cases = {
        {"reads straddling blocks", {ReadExact(5), ReadExact(5), ReadExact(13), NextByte()}},
        {"a read larger than a block", {ReadExact(3), ReadExact(40), ReadSome(20)}},
        {"seeks inside and past the block",
         {ReadExact(4), SeekTo(-2, 1), ReadExact(4), SeekTo(50, 0), ReadExact(3), SeekTo(-60, 1),
          SeekTo(10, 1), ReadExact(2)}},
        {"a short read at the end", {SeekTo(-5, 2), ReadExact(8), SeekTo(-5, 2), ReadSome(8)}},
        {"past the end", {SeekTo(10, 2), ReadSome(4), ReadExact(1), NextByte(), SeekTo(-1, 0)}},
        {"the last byte", {SeekTo(99, 0), NextByte(), NextByte(), SeekTo(7, 3)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        auto plain = Open(folder / "f", OpenExisting, FileAccess::Read);
        BufferedReader buffered(Open(folder / "f", OpenExisting, FileAccess::Read), kSmallBlock);
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(c.steps[i](buffered), c.steps[i](*plain));
        }
    }
}

TEST(BufferedWriter, GathersWritesAndGivesTheSameBytes) {
    TempFolder folder;
    const Bytes data = Pattern(40);
    BufferedWriter writer(Open(folder / "out", CreateAlways, FileAccess::Write), kSmallBlock);
    std::size_t at = 0;
    for (std::uint32_t size : {3u, 5u, 1u, 8u, 20u, 0u, 3u}) {  // fits, fills, spills, direct
        ASSERT_TRUE(writer.Write(data.data() + at, size));
        at += size;
        EXPECT_EQ(writer.GetPosition(), static_cast<std::int64_t>(at));
    }
    ASSERT_TRUE(writer.Flush());
    writer.Close();
    EXPECT_EQ(folder.ReadFile("out"), data);
}

// A write the file refuses fails as it would without the buffer, with the writer's own text,
// and the writer stays failed: nothing later is reported as written.
TEST(BufferedWriter, AFailedWriteIsNeverReportedAsDone) {
    TempFolder folder;
    folder.WriteFile("ro", "x");
    auto refused = std::make_shared<BufferedWriter>(Open(folder / "ro", OpenExisting,
                                                         FileAccess::Read));
    EXPECT_THROW(
        {
            try {
                BinaryWriter(refused).Write(Pattern(4));
            } catch (const MessageFailure& failure) {
                EXPECT_EQ(failure.Text(), kWriteVectorFailed);
                throw;
            }
        },
        MessageFailure);

    auto file = Open(folder / "out", CreateAlways, FileAccess::Write);
    BufferedWriter writer(file, kSmallBlock);
    ASSERT_TRUE(writer.Write(Pattern(3).data(), 3));  // only in the block so far
    file->Close();                                    // the file goes away under it
    EXPECT_FALSE(writer.Flush());
    EXPECT_FALSE(writer.Write(Pattern(1).data(), 1));
    EXPECT_FALSE(writer.Flush());
}

// Runs of every size land byte for byte, through the block or the kernel's own copy; a run
// longer than what is left of the source fails.
TEST(CopyBytes, CopiesRunsOfAnySize) {
    TempFolder folder;
    const Bytes source = Pattern(700 * 1024, 7);
    folder.WriteFile("in", source);
    for (std::uint64_t count : {0ull, 5ull, 9ull, 70'000ull, 300'000ull, 700ull * 1024 - 3}) {
        SCOPED_TRACE(count);
        BufferedReader reader(Open(folder / "in", OpenExisting, FileAccess::Read), kSmallBlock);
        BufferedWriter writer(Open(folder / "out", CreateAlways, FileAccess::Write), kSmallBlock);
        ASSERT_TRUE(reader.Seek(3, 0));
        ASSERT_TRUE(writer.Write(source.data(), 2));
        ASSERT_TRUE(CopyBytes(reader, writer, count));
        EXPECT_EQ(reader.GetPosition(), static_cast<std::int64_t>(3 + count));
        ASSERT_TRUE(writer.Flush());
        writer.Close();
        Bytes expected(source.begin(), source.begin() + 2);
        expected.insert(expected.end(), source.begin() + 3, source.begin() + 3 + count);
        EXPECT_EQ(folder.ReadFile("out"), expected);
    }
    BufferedReader reader(Open(folder / "in", OpenExisting, FileAccess::Read));
    BufferedWriter writer(Open(folder / "out", CreateAlways, FileAccess::Write));
    ASSERT_TRUE(reader.Seek(-10, 2));
    EXPECT_FALSE(CopyBytes(reader, writer, 11));
    EXPECT_FALSE(CopyBytes(reader, writer, 200'000));
}

}  // namespace
}  // namespace Orvane::Common
