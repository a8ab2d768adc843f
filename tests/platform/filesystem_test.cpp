// Attributes, finding files, full paths, folder chains, temporary names and whole-file moves.
#include <gtest/gtest.h>

#include <cctype>
#include <set>

#include "open_file.h"
#include "platform/os.h"
#include "support/temp_folder.h"
#include "support/text.h"

namespace Orvane::Os {
namespace {

using Test::Cp932;
using Test::OpenedFile;
using Test::Separator;
using Test::TempFolder;
using Test::Utf8;

using Names = std::vector<std::string>;

std::string Contents(const TempFolder& folder, const std::string& name) {
    std::vector<std::uint8_t> bytes = folder.ReadFile(name);
    return std::string(bytes.begin(), bytes.end());
}

TEST(FileAttributes, ReportFoldersFilesAndTheReadOnlyFlag) {
    TempFolder folder;
    folder.WriteFile("file", "abc");
    EXPECT_EQ(GetFileAttributes(folder.Path()), kAttrDirectory);
    EXPECT_EQ(GetFileAttributes(folder / "file"), kAttrArchive);
    EXPECT_EQ(GetFileAttributes(folder / "missing"), std::nullopt);
    ASSERT_TRUE(SetFileAttributes(folder / "file", kAttrArchive | kAttrReadOnly));
    EXPECT_EQ(GetFileAttributes(folder / "file"), kAttrArchive | kAttrReadOnly);
    ASSERT_TRUE(SetFileAttributes(folder / "file", kAttrArchive));
    EXPECT_EQ(GetFileAttributes(folder / "file"), kAttrArchive);
    EXPECT_FALSE(SetFileAttributes(folder / "missing", kAttrArchive));
}

TEST(DiskFreeSpace, AnswersForAnExistingFolderOnly) {
    TempFolder folder;
    folder.WriteFile("file", "a");
    std::uint64_t freeBytes = 0;
    EXPECT_TRUE(GetDiskFreeSpace(folder.Path(), &freeBytes));
    EXPECT_GT(freeBytes, 0u);
    EXPECT_FALSE(GetDiskFreeSpace(folder / "missing", &freeBytes));
    EXPECT_FALSE(GetDiskFreeSpace(folder / "file", &freeBytes));
    EXPECT_FALSE(GetDiskFreeSpace("", &freeBytes));
}

TEST(DeleteFile, RemovesFilesButNotReadOnlyFilesOrFolders) {
    TempFolder folder;
    folder.WriteFile("plain", "a");
    folder.WriteFile("locked", "b");
    folder.WriteFile("sub/inner", "c");
    folder.MakeReadOnly("locked", true);
    EXPECT_TRUE(DeleteFile(folder / "plain"));
    EXPECT_FALSE(DeleteFile(folder / "locked"));
    EXPECT_FALSE(DeleteFile(folder / "sub"));
    EXPECT_FALSE(DeleteFile(folder / "plain"));
    EXPECT_EQ(folder.List(), (Names{"locked", "sub"}));
}

TEST(Paths, FindEntriesInAnotherCaseAndKeepTheNamesOnDisk) {
    TempFolder folder;
    folder.WriteFile("Data/Image.ARC", "old");
    folder.WriteFile("new", "new");
    EXPECT_EQ(GetFileAttributes(folder / "DATA/image.arc"), kAttrArchive);
    ASSERT_TRUE(CopyFile(folder / "new", folder / "data/IMAGE.arc", false));
    EXPECT_TRUE(OpenedFile(folder / "dAtA/Added.Bin", CreateMode::CreateNew, false, true).IsOpen());
    EXPECT_EQ(folder.List(), (Names{"Data", "new"}));
    EXPECT_EQ(folder.List("Data"), (Names{"Added.Bin", "Image.ARC"}));
    EXPECT_EQ(Contents(folder, "Data/Image.ARC"), "new");
}

TEST(MakeSureDirectoryPathExists, CreatesFoldersUpToTheLastSeparator) {
    TempFolder folder;
    std::string hyo = Cp932(u8"表"), so = Cp932(u8"ソ");  // trail bytes 0x5C
    ASSERT_TRUE(MakeSureDirectoryPathExists(folder.Path() + hyo + "\\" + so + "\\file"));
    EXPECT_EQ(folder.List(), (Names{hyo}));
    EXPECT_EQ(folder.List(hyo), (Names{so}));
    EXPECT_TRUE(folder.List(hyo + "/" + so).empty());
    ASSERT_TRUE(MakeSureDirectoryPathExists(folder / "a/b/"));
    EXPECT_EQ(GetFileAttributes(folder / "a/b"), kAttrDirectory);
    folder.WriteFile("plain", "x");
    EXPECT_FALSE(MakeSureDirectoryPathExists(folder / "plain/below/"));
}

// What follows the folder in a temporary name: the prefix, 1 to 4 hex digits, ".TMP".
bool IsTempName(const std::string& name, const std::string& stem) {
    if (name.compare(0, stem.size(), stem) != 0 || name.size() < stem.size() + 5) return false;
    std::string number = name.substr(stem.size(), name.size() - stem.size() - 4);
    std::string suffix = name.substr(name.size() - 4);
    bool hex = !number.empty() && number.size() <= 4 && number != "0";
    for (char c : number) hex = hex && std::isxdigit(static_cast<unsigned char>(c));
    for (char& c : suffix) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return hex && suffix == ".TMP";  // Wine writes the name in lower case
}

TEST(GetTempFileName, CreatesEmptyFilesUnderNamesNotTakenBefore) {
    TempFolder folder;
    std::set<std::string> names;
    for (int i = 0; i < 20; ++i) {
        std::string path = GetTempFileName(folder.Path(), "tmpfile");
        ASSERT_EQ(path.compare(0, folder.Path().size(), folder.Path()), 0) << path;
        std::string name = path.substr(folder.Path().size());
        EXPECT_TRUE(IsTempName(name, "tmp")) << name;
        EXPECT_TRUE(folder.ReadFile(name).empty());
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 20u);
    std::string kanji = Cp932(u8"表ソx");  // three characters, five bytes
    std::string path = GetTempFileName(folder.Path(), kanji + "yz");
    EXPECT_TRUE(IsTempName(path.substr(folder.Path().size()), kanji)) << Utf8(path);
    EXPECT_EQ(GetTempFileName(folder / "missing/", "tmp"), "");
}

TEST(FindFirstFile, DescribesTheFirstMatchWithItsNameOnDisk) {
    TempFolder folder;
    folder.WriteFile("ReadMe.txt", "12345");
    folder.WriteFile("sub/x", "");
    std::optional<FindData> found = FindFirstFile(folder / "*.TXT");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->name, "ReadMe.txt");
    EXPECT_EQ(found->size, 5u);
    EXPECT_EQ(found->attributes, kAttrArchive);
    found = FindFirstFile(folder / "SUB");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->name, "sub");
    EXPECT_EQ(found->attributes, kAttrDirectory);
    EXPECT_FALSE(FindFirstFile(folder / "sub/"));
    EXPECT_FALSE(FindFirstFile(folder / "missing"));
    EXPECT_FALSE(FindFirstFile(folder / "*.bin"));
}

TEST(GetFullPathName, MakesPathsAbsoluteWithinTheLimit) {
    TempFolder folder;
    EXPECT_EQ(GetFullPathName(folder / "a/../b"), folder.Path() + "b");
    std::optional<std::string> current = GetFullPathName(".");
    ASSERT_TRUE(current);
    EXPECT_EQ(GetFullPathName("name"), *current + Separator() + "name");
    std::string longest = folder.Path() + std::string(259 - folder.Path().size(), 'a');
    EXPECT_EQ(GetFullPathName(longest), longest);  // 259 bytes and the terminator fit
    EXPECT_EQ(GetFullPathName(longest + "a"), std::nullopt);
    std::string climbing = folder.Path();  // too long as given, however short once resolved
    while (climbing.size() < 260) climbing += std::string("x") + Separator() + ".." + Separator();
    EXPECT_EQ(GetFullPathName(climbing + "b"), std::nullopt);
}

TEST(MoveFile, RenamesOnlyToAFreeName) {
    TempFolder folder;
    folder.WriteFile("a", "1");
    folder.WriteFile("b", "2");
    EXPECT_FALSE(MoveFile(folder / "a", folder / "b"));
    EXPECT_TRUE(MoveFile(folder / "a", folder / "c"));
    EXPECT_EQ(folder.List(), (Names{"b", "c"}));
}

TEST(CopyFile, CopiesOverAnExistingFileUnlessToldNotTo) {
    TempFolder folder;
    folder.WriteFile("source", "new");
    folder.WriteFile("target", "old");
    EXPECT_FALSE(CopyFile(folder / "source", folder / "target", true));
    EXPECT_EQ(Contents(folder, "target"), "old");
    ASSERT_TRUE(CopyFile(folder / "source", folder / "target", false));
    ASSERT_TRUE(CopyFile(folder / "source", folder / "fresh", true));
    EXPECT_EQ(Contents(folder, "target"), "new");
    EXPECT_EQ(Contents(folder, "fresh"), "new");
    EXPECT_EQ(folder.List(), (Names{"fresh", "source", "target"}));  // no temporary left
}

TEST(CopyFile, TakesTheLastWriteTimeAndReadOnlyFlagOfTheSource) {
    TempFolder folder;
    folder.WriteFile("source", "abc");
    folder.MakeReadOnly("source", true);
    ASSERT_TRUE(CopyFile(folder / "source", folder / "copy", false));
    EXPECT_EQ(GetFileAttributes(folder / "copy"), kAttrArchive | kAttrReadOnly);
    std::optional<FindData> source = FindFirstFile(folder / "source");
    std::optional<FindData> copy = FindFirstFile(folder / "copy");
    ASSERT_TRUE(source && copy);
    EXPECT_EQ(copy->lastWrite, source->lastWrite);
}

TEST(ReplaceFile, PutsTheSourceInPlaceOfTheDestination) {
    TempFolder folder;
    folder.WriteFile("source", "new");
    folder.WriteFile("Target", "old");
    ASSERT_TRUE(ReplaceFile(folder / "source", folder / "TARGET"));
    EXPECT_EQ(folder.List(), (Names{"Target"}));
    EXPECT_EQ(Contents(folder, "Target"), "new");
}

TEST(ReplaceFile, TakesAFreeNameAndNeverAFolder) {
    TempFolder folder;
    folder.WriteFile("source", "new");
    ASSERT_TRUE(ReplaceFile(folder / "source", folder / "fresh"));
    EXPECT_EQ(folder.List(), (Names{"fresh"}));
    EXPECT_EQ(Contents(folder, "fresh"), "new");
    folder.WriteFile("sub/inside", "x");
    EXPECT_FALSE(ReplaceFile(folder / "fresh", folder / "sub"));
    EXPECT_EQ(folder.List(), (Names{"fresh", "sub"}));
}

TEST(PlaceNewFile, TakesOnlyANameThatNoFileOrFolderHasInAnyCase) {
    TempFolder folder;
    folder.WriteFile("source", "new");
    folder.WriteFile("Taken", "old");
    folder.WriteFile("sub/inside", "x");
    EXPECT_EQ(PlaceNewFile(folder / "source", folder / "TAKEN"), Placement::NameTaken);
    EXPECT_EQ(PlaceNewFile(folder / "source", folder / "SUB"), Placement::NameTaken);
    EXPECT_EQ(PlaceNewFile(folder / "missing", folder / "fresh"), Placement::Failed);
    EXPECT_EQ(folder.List(), (Names{"Taken", "source", "sub"}));
    EXPECT_EQ(PlaceNewFile(folder / "source", folder / "fresh"), Placement::Placed);
    EXPECT_EQ(Contents(folder, "fresh"), "new");
}

// Windows answers from one listing per folder; POSIX, whose lookups are cheap, never guesses.
TEST(FolderSnapshots, TellNamesMissingFromTheFirstListingOfTheirFolder) {
#ifdef _WIN32
    constexpr bool kGuesses = true;
#else
    constexpr bool kGuesses = false;
#endif
    TempFolder folder;
    folder.WriteFile("Present.bin", "x");
    EXPECT_FALSE(WasMissingFromSnapshot(folder / "absent.bin")) << "no snapshot lives";
    FolderSnapshots snapshots;
    const std::pair<const char*, bool> cases[] = {
        {"absent.bin", kGuesses}, {"PRESENT.BIN", false}, {"absent*", false},
        {"absent.bin.", false},   {"absent.bin:stream", false}, {"new/absent.bin", kGuesses},
    };
    for (const auto& [name, missing] : cases) {
        EXPECT_EQ(WasMissingFromSnapshot(folder / name), missing) << name;
    }
    folder.WriteFile("later.bin", "made after the listing");
    EXPECT_EQ(WasMissingFromSnapshot(folder / "later.bin"), kGuesses) << "a guess, not a fact";
}

#ifndef _WIN32
// Root may replace any file; Windows refuses to write over a read-only one whoever asks, and so
// must the Linux build. (Wine running as root copies over it, so this is Linux only.)
TEST(CopyFile, RefusesAReadOnlyDestinationEvenAsRoot) {
    TempFolder folder;
    folder.WriteFile("source", "new");
    folder.WriteFile("locked", "old");
    folder.MakeReadOnly("locked", true);
    EXPECT_FALSE(CopyFile(folder / "source", folder / "locked", false));
    EXPECT_FALSE(ReplaceFile(folder / "source", folder / "locked"));
    EXPECT_EQ(Contents(folder, "locked"), "old");
    EXPECT_EQ(folder.List(), (Names{"locked", "source"}));
}
#endif

}  // namespace
}  // namespace Orvane::Os
