#include "common/binary_writer.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "common/failure.h"
#include "common/file_stream.h"
#include "support/temp_folder.h"

namespace Orvane::Common {
namespace {

using Test::TempFolder;
using Bytes = std::vector<std::uint8_t>;

std::string FailureText(const std::function<void()>& action) {
    try {
        action();
    } catch (const MessageFailure& failure) {
        return failure.Text();
    }
    return "(no failure)";
}

class BinaryWriterTest : public testing::Test {
protected:
    std::shared_ptr<FileStream> Writable() {
        return std::make_shared<FileStream>(folder_ / "out", CreateAlways, FileAccess::Write,
                                            FileShare::None);
    }
    std::shared_ptr<FileStream> ReadOnly() {
        folder_.WriteFile("in", "x");
        return std::make_shared<FileStream>(folder_ / "in", OpenExisting, FileAccess::Read,
                                            FileShare::Read);
    }
    Bytes Written() { return folder_.ReadFile("out"); }

    TempFolder folder_;
};

TEST_F(BinaryWriterTest, WritesLittleEndianBlocks) {
    auto stream = Writable();
    BinaryWriter writer(stream);
    writer.Write(std::uint32_t{0x01020304});
    writer.Write(std::uint16_t{0x0102});
    writer.Write(std::uint8_t{0xAB});
    const std::uint8_t block[] = {9, 8};
    writer.Write(block, 2);
    writer.Write(Bytes{7});
    stream->Close();
    EXPECT_EQ(Written(), (Bytes{0x04, 0x03, 0x02, 0x01, 0x02, 0x01, 0xAB, 9, 8, 7}));
}

TEST_F(BinaryWriterTest, EmptyBlocksAreFailuresAndWriteNothing) {
    auto stream = Writable();
    BinaryWriter writer(stream);
    const std::uint8_t block[] = {1};
    EXPECT_EQ(FailureText([&] { writer.Write(block, 0); }), kWriteBlockFailed);
    EXPECT_EQ(FailureText([&] { writer.Write(nullptr, 4); }), kWriteBlockFailed);
    EXPECT_EQ(FailureText([&] { writer.Write(Bytes{}); }), kWriteVectorFailed);
    stream->Close();
    EXPECT_TRUE(Written().empty());
}

TEST_F(BinaryWriterTest, EachOperationRaisesItsOwnTextOnAReadOnlyStream) {
    BinaryWriter writer(ReadOnly());
    const std::uint8_t block[] = {1, 2};
    EXPECT_EQ(FailureText([&] { writer.Write(std::uint8_t{1}); }),
              "Error : BinaryWriter.Write(Byte)");
    EXPECT_EQ(FailureText([&] { writer.Write(std::uint16_t{1}); }), "Error : BinaryWriter.Write()");
    EXPECT_EQ(FailureText([&] { writer.Write(std::uint32_t{1}); }), "Error : BinaryWriter.Write()");
    EXPECT_EQ(FailureText([&] { writer.Write(block, 2); }),
              "Error : BinaryWriter.Write(Byte*,UInt32)");
    EXPECT_EQ(FailureText([&] { writer.Write(Bytes{1}); }),
              "Error : BinaryWriter.Write(vector<Byte>&)");
}

}  // namespace
}  // namespace Orvane::Common
