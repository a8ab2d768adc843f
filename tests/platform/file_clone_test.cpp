// Clones and empty stand-ins of a file, as the diff's check copies a release: the bytes (or
// none) with the original's last-write time, and never over an existing file.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file_clone.h"
#include "support/temp_folder.h"

namespace Orvane::Test {
namespace {

namespace fs = std::filesystem;

// A month before the file was written, in whole seconds as every file system keeps them.
fs::file_time_type MonthBefore(const fs::path& path) {
    return std::chrono::floor<std::chrono::seconds>(fs::last_write_time(path)) -
           std::chrono::hours(24 * 30);
}

struct CloneCase {
    const char* name;
    bool (*make)(const fs::path&, const fs::path&);
    std::string expected;
};

class FileCloneTest : public testing::TestWithParam<CloneCase> {};

TEST_P(FileCloneTest, KeepsTheTimeAndGivesTheBytesOrNone) {
    TempFolder folder;
    folder.WriteFile("from", "release bytes");
    fs::last_write_time(folder / "from", MonthBefore(folder / "from"));
    ASSERT_TRUE(GetParam().make(folder / "from", folder / "to"));
    std::vector<std::uint8_t> bytes = folder.ReadFile("to");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), GetParam().expected);
    EXPECT_EQ(fs::last_write_time(folder / "to"), fs::last_write_time(folder / "from"));
}

TEST_P(FileCloneTest, NeverReplacesAnExistingFile) {
    TempFolder folder;
    folder.WriteFile("from", "new");
    folder.WriteFile("to", "kept");
    EXPECT_FALSE(GetParam().make(folder / "from", folder / "to"));
    std::vector<std::uint8_t> bytes = folder.ReadFile("to");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "kept");
    EXPECT_FALSE(GetParam().make(folder / "missing", folder / "other"));
    EXPECT_FALSE(folder.Exists("other"));
}

INSTANTIATE_TEST_SUITE_P(Copies, FileCloneTest,
                         testing::Values(CloneCase{"Clone", Os::CloneFile, "release bytes"},
                                         CloneCase{"StandIn", Os::MakeEmptyStandIn, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace Orvane::Test
