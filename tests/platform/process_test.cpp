// The program's own path and version.
#include <gtest/gtest.h>

#include "platform/os.h"

namespace Orvane::Os {
namespace {

TEST(GetModuleFileName, GivesTheProgramsAbsolutePath) {
    std::optional<std::string> path = GetModuleFileName(nullptr);
    ASSERT_TRUE(path);
    EXPECT_NE(path->find("platform_tests"), std::string::npos) << *path;
    EXPECT_EQ(GetFullPathName(*path), path);  // already absolute
}

#ifndef _WIN32
// Linux programs carry no version resource: the block is made from the build's version.
// (The Windows test program has no version resource at all.)
std::uint32_t Read32(const std::vector<std::uint8_t>& block, std::size_t offset) {
    return block[offset] | block[offset + 1] << 8 | block[offset + 2] << 16 |
           static_cast<std::uint32_t>(block[offset + 3]) << 24;
}

TEST(LoadVersionInfo, HoldsAFixedVersionRecordWithTheProjectVersion) {
    std::vector<std::uint8_t> block;
    std::size_t offset = 0;
    ASSERT_TRUE(LoadVersionInfo(nullptr, &block, &offset));
    ASSERT_EQ(offset, 40u);
    ASSERT_GE(block.size(), offset + 52);
    EXPECT_EQ(block[0] | block[1] << 8, static_cast<int>(block.size()));  // wLength
    EXPECT_EQ(Read32(block, offset), 0xFEEF04BDu);                        // signature
    EXPECT_EQ(Read32(block, offset + 4), 0x00010000u);                    // structure version
    const std::uint32_t ms = ORVPATCH_VERSION_MAJOR << 16 | ORVPATCH_VERSION_MINOR;
    const std::uint32_t ls = ORVPATCH_VERSION_PATCH << 16 | ORVPATCH_VERSION_TWEAK;
    EXPECT_EQ(Read32(block, offset + 8), ms);  // file version
    EXPECT_EQ(Read32(block, offset + 12), ls);
    EXPECT_EQ(Read32(block, offset + 16), ms);  // product version
    EXPECT_EQ(Read32(block, offset + 20), ls);
}
#endif

}  // namespace
}  // namespace Orvane::Os
