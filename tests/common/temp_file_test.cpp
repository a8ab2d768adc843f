#include "common/temp_file.h"

#include <gtest/gtest.h>

#include <cctype>

#include "platform/os.h"
#include "support/temp_folder.h"

namespace Orvane::Common {
namespace {

using Test::TempFolder;

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Windows names temporary files in upper case; Wine in lower case.
void ExpectTempName(const std::string& name) {
    EXPECT_EQ(Lower(name.substr(0, 3)), "tmp") << name;
    ASSERT_GT(name.size(), 7u) << name;
    EXPECT_EQ(Lower(name.substr(name.size() - 4)), ".tmp") << name;
    for (char c : name.substr(3, name.size() - 7)) {
        EXPECT_TRUE(std::isxdigit(static_cast<unsigned char>(c))) << name;
    }
}

TEST(CTempFile, CreatesTheFolderChainAndAnEmptyFile) {
    TempFolder folder;
    CTempFile temp;
    std::optional<std::string> path = temp.Create("tmp", folder / "a/b/c");
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, temp.Path());
    ExpectTempName(temp.FileName());
    std::vector<std::string> names = folder.List("a/b/c");
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], temp.FileName());
    EXPECT_TRUE(folder.ReadFile("a/b/c/" + temp.FileName()).empty());
}

TEST(CTempFile, UsesAtMostThreeCharactersOfThePrefix) {
    TempFolder folder;
    CTempFile temp;
    ASSERT_TRUE(temp.Create("tmpXYZ", folder.Path()));
    ExpectTempName(temp.FileName());
}

// The second file may well get the first one's name once that is gone: what counts is that
// only the new, empty file is left.
TEST(CTempFile, SecondCreateDeletesTheFirstFile) {
    TempFolder folder;
    CTempFile temp;
    ASSERT_TRUE(temp.Create("tmp", folder.Path()));
    folder.WriteFile(temp.FileName(), "written by its user");
    ASSERT_TRUE(temp.Create("tmp", folder.Path()));
    EXPECT_EQ(folder.List(), std::vector<std::string>{temp.FileName()});
    EXPECT_TRUE(folder.ReadFile(temp.FileName()).empty());
}

TEST(CTempFile, NamesAreNeverReused) {
    TempFolder folder;
    CTempFile temps[20];
    for (CTempFile& temp : temps) ASSERT_TRUE(temp.Create("tmp", folder.Path()));
    EXPECT_EQ(folder.List().size(), 20u);
}

TEST(CTempFile, ReleaseDeletesTheFileAndARenamedFileIsNoError) {
    TempFolder folder;
    {
        CTempFile temp;
        ASSERT_TRUE(temp.Create("tmp", folder.Path()));
    }
    EXPECT_TRUE(folder.List().empty());
    {
        CTempFile temp;
        ASSERT_TRUE(temp.Create("tmp", folder.Path()));
        ASSERT_TRUE(Os::MoveFile(temp.Path(), folder / "kept"));
    }
    EXPECT_EQ(folder.List(), std::vector<std::string>{"kept"});
}

TEST(CTempFile, FolderThatCannotBeMadeKeepsWhatTheObjectHeld) {
    TempFolder folder;
    folder.WriteFile("blocker", "a file where a folder should be");
    CTempFile temp;
    ASSERT_TRUE(temp.Create("tmp", folder.Path()));
    std::string held = temp.Path();
    EXPECT_FALSE(temp.Create("tmp", folder / "blocker/sub"));
    EXPECT_EQ(temp.Path(), held);
    EXPECT_TRUE(folder.Exists(temp.FileName()));
}

}  // namespace
}  // namespace Orvane::Common
