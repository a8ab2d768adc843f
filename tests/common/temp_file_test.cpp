#include "common/temp_file.h"

#include <gtest/gtest.h>

#include <cctype>
#include <thread>

#include "platform/os.h"
#include "support/temp_folder.h"
#include "support/text.h"

namespace Orvane::Common {
namespace {

using Test::Cp932;
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

// A folder text ending in 表 or ソ (second byte 0x5C) still gets its separator: the file goes
// into that folder, not beside it under a name starting with the folder's.
TEST(CTempFile, CreatesTheFolderChainAndAnEmptyFile) {
    struct Case {
        const char* label;
        std::string folder;  // relative, missing before Create
        std::string top;     // the entry the test folder holds afterwards
    } cases[] = {
        {"a chain of three", "a/b/c", "a"},
        {"ending in hyo (95 5C)", Cp932(u8"a/表"), "a"},
        {"ending in so (83 5C)", Cp932(u8"gameソ"), Cp932(u8"gameソ")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder folder;
        CTempFile temp;
        std::optional<std::string> path = temp.Create("tmp", folder / c.folder);
        ASSERT_TRUE(path);
        EXPECT_EQ(*path, temp.Path());
        ExpectTempName(temp.FileName());
        EXPECT_EQ(folder.List(), std::vector<std::string>{c.top});
        EXPECT_EQ(folder.List(c.folder), std::vector<std::string>{temp.FileName()});
        EXPECT_TRUE(folder.ReadFile(c.folder + "/" + temp.FileName()).empty());
    }
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
    std::string forgotten;
    {
        CTempFile temp;
        ASSERT_TRUE(temp.Create("tmp", folder.Path()));
        forgotten = temp.FileName();
        temp.Forget();
    }
    EXPECT_EQ(folder.List().size(), 2u) << forgotten << " was deleted after Forget";
}

// A file that cannot be deleted at first, as while a virus scanner holds it, is tried again
// until it goes (here it is read-only for a moment).
TEST(CTempFile, DeleteRetriesAFileThatIsStillThere) {
    TempFolder folder;
    CTempFile temp;
    ASSERT_TRUE(temp.Create("tmp", folder.Path()));
    const std::string name = temp.FileName();
    folder.MakeReadOnly(name, true);
    std::thread release([&] {
        Os::SleepMilliseconds(200);
        folder.MakeReadOnly(name, false);
    });
    temp.Delete();
    release.join();
    EXPECT_TRUE(folder.List().empty());
    EXPECT_TRUE(temp.Path().empty());
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
