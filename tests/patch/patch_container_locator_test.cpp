#include "patch/patch_container_locator.h"

#include <gtest/gtest.h>

#include <functional>

#include "fixture_file.h"
#include "patch/container_format.h"
#include "platform/os.h"

namespace Orvane {
namespace {

using Test::Bytes;
using Test::OpenBytes;
using Test::TempFolder;
using Test::PeImage;
using Test::Section;

struct LocatorCase {
    const char* name;
    std::vector<Section> sections;
    std::function<void(Bytes&)> damage;
    std::uint32_t expected;
};

void Put32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

const std::vector<LocatorCase> kLocatorCases = {
    {"OneSection", {{0x200, 0x180}}, nullptr, 0x380},
    {"SeveralSections", {{0x200, 0x100}, {0x300, 0x80}, {0x380, 0x200}}, nullptr, 0x580},
    // Only the last table entry counts, even when another section ends later in the file.
    {"LastEntryIsNotLastInFile", {{0x400, 0x200}, {0x200, 0x100}}, nullptr, 0x300},
    {"Pe32PlusImage", {{0x200, 0x100}, {0x300, 0x80}}, Test::MakePe32Plus, 0x380},
    {"BadMz", {{0x200, 0x100}}, [](Bytes& b) { b[0] = 'm'; }, kNoContainerOffset},
    {"BadPeSignature", {{0x200, 0x100}},
     [](Bytes& b) { b[Test::kPeHeadersOffset + 1] = 'F'; }, kNoContainerOffset},
    {"NegativePeOffset", {{0x200, 0x100}}, [](Bytes& b) { Put32(b, 0x3C, 0xFFFFFFF0); },
     kNoContainerOffset},
    {"EndsInsidePeHeaders", {{0x200, 0x100}}, [](Bytes& b) { b.resize(0x100); },
     kNoContainerOffset},
    {"EndsInsideSectionTable", {{0x200, 0x100}},
     [](Bytes& b) { b.resize(Test::kSectionTableOffset + 20); }, kNoContainerOffset},
    // Raw data claimed to end past 4 GiB would wrap to an offset inside the image.
    {"RawDataEndsPast4GiB", {{0x200, 0x100}},
     [](Bytes& b) { Put32(b, Test::kSectionTableOffset + 16, 0xFFFFFF00); },
     kNoContainerOffset},
};

class LocatorTest : public testing::TestWithParam<LocatorCase> {};

TEST_P(LocatorTest, FindsTheEndOfTheLastSectionEntry) {
    TempFolder folder;
    Bytes image = PeImage(GetParam().sections);
    if (GetParam().damage) GetParam().damage(image);
    auto stream = OpenBytes(folder, image);
    EXPECT_EQ(LocatePatchContainer(*stream), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Images, LocatorTest, testing::ValuesIn(kLocatorCases),
                         [](const auto& info) { return info.param.name; });

#ifdef _WIN32
// The test program is a stripped image like the patch program: nothing follows its last
// section, so the container would start exactly at the end of the file.
TEST(LocatorOnRealImage, OwnExecutableEndsWithItsLastSection) {
    std::optional<std::string> path = Os::GetModuleFileName(nullptr);
    ASSERT_TRUE(path);
    Common::FileStream stream(*path, Common::OpenExisting, Common::FileAccess::Read,
                              Common::FileShare::Read | Common::FileShare::Write);
    ASSERT_TRUE(stream.CanRead());
    EXPECT_EQ(LocatePatchContainer(stream), static_cast<std::uint32_t>(stream.GetLength()));
}
#endif

}  // namespace
}  // namespace Orvane
