#include "common/resource_version.h"

#include <gtest/gtest.h>

#include <regex>

#include "app/version_line.h"
#include "support/text.h"

namespace Orvane {
namespace {

// The test executables carry no version resource on Windows; on Linux the version comes from
// the build.
TEST(CResourceVersion, OwnModule) {
    Common::CResourceVersion version(nullptr);
#ifdef _WIN32
    EXPECT_FALSE(version.HasData());
    EXPECT_EQ(VersionLine(&version), "System  ");
#else
    ASSERT_TRUE(version.HasData());
    EXPECT_TRUE(std::regex_match(VersionLine(&version), std::regex(R"(System  \d+\.\d+\.\d+\.\d+)")))
        << VersionLine(&version);
#endif
}

TEST(VersionLine, WithoutAReaderShowsTheResourceFailure) {
    EXPECT_EQ(Orvane::Test::Utf8(VersionLine(nullptr)), Orvane::Test::Utf8(u8"リソースの取得に失敗しています！"));
}

}  // namespace
}  // namespace Orvane
