// The built patch.exe is the stub of every patch: its image must end exactly where the file
// ends, so that a container appended to it is found right behind the last section.
#include <gtest/gtest.h>

#include <memory>

#include "common/file_stream.h"
#include "patch/container_start.h"
#include "patch/patch_container_locator.h"
#include "patch/patch_texts.h"

namespace Orvane {
namespace {

TEST(PatchExeImage, NothingFollowsTheLastSection) {
    auto stream = std::make_shared<Common::FileStream>(
        ORVPATCH_PATCH_EXE, Common::OpenExisting, Common::FileAccess::Read,
        Common::FileShare::Read | Common::FileShare::Write);
    ASSERT_TRUE(stream->CanRead()) << ORVPATCH_PATCH_EXE;
    std::int64_t size = stream->GetLength();
    ASSERT_GT(size, 0);
    EXPECT_EQ(LocatePatchContainer(*stream), static_cast<std::uint32_t>(size));
}

// What the program itself reports when it starts without a patch appended.
TEST(PatchExeImage, StartsWithoutPatchData) {
    ContainerStart start = ReadContainerStart(ORVPATCH_PATCH_EXE);
    EXPECT_EQ(start.failureText, kPatchDataNotFound);
}

}  // namespace
}  // namespace Orvane
