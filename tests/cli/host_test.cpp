// What the tool takes from its platform, the same on Linux and Windows: the program's own
// file, the diff's temporaries and folder exchange, file times of archive entries, and the
// progress style of a stream that is no terminal.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "cli/arc/entry_time.h"
#include "cli/diff/temporary_entries.h"
#include "cli/program.h"
#include "cli/views/console_progress.h"
#include "support/temp_folder.h"

namespace Orvane::Test {
namespace {

namespace fs = std::filesystem;

TEST(ProgramTest, KnowsItsOwnFile) {
    std::optional<fs::path> self = Cli::ProgramFile();
    ASSERT_TRUE(self.has_value());
    EXPECT_TRUE(fs::is_regular_file(*self)) << self->string();
}

TEST(TemporaryEntriesTest, ANameIsMadeOnceAndATakenOneIsSaidSo) {
    TempFolder folder;
    for (auto make : {Cli::MakeMarkedFile, Cli::MakeMarkedFolder}) {
        fs::path path = folder / "entry";
        EXPECT_EQ(make(path), Cli::Creation::Made);
        EXPECT_EQ(make(path), Cli::Creation::NameTaken);
        EXPECT_EQ(make(folder / "missing/entry"), Cli::Creation::Failed);
        fs::remove(path);
    }
}

TEST(TemporaryEntriesTest, ExchangedFoldersTradeTheirFiles) {
    TempFolder folder;
    folder.WriteFile("made/new.txt", "new");
    folder.WriteFile("place/old.txt", "old");
    ASSERT_TRUE(Cli::ExchangeFolders(folder / "made", folder / "place"));
    EXPECT_EQ(folder.List("place"), std::vector<std::string>{"new.txt"});
    EXPECT_EQ(folder.List("made"), std::vector<std::string>{"old.txt"});
    EXPECT_EQ(folder.List(), (std::vector<std::string>{"made", "place"}));
}

TEST(EntryTimeTest, FileTimesGoBackAsTheyWereSet) {
    TempFolder folder;
    folder.WriteFile("file", "x");
    for (std::int64_t seconds : {std::int64_t{86400}, std::int64_t{1700000000},
                                 std::int64_t{4102444799}}) {
        ASSERT_TRUE(Cli::SetFileModifiedSeconds(folder / "file", seconds));
        EXPECT_EQ(Cli::FileModifiedSeconds(folder / "file"), seconds);
    }
    EXPECT_FALSE(Cli::FileModifiedSeconds(folder / "missing").has_value());
    EXPECT_FALSE(Cli::SetFileModifiedSeconds(folder / "missing", 86400));
}

TEST(TerminalTest, AFileGetsLinesAndTheDefaultWidth) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(Cli::StyleFor(file), Cli::ProgressStyle::Lines);
    EXPECT_EQ(Cli::TerminalColumns(file), Cli::kDefaultColumns);
    std::fclose(file);
}

}  // namespace
}  // namespace Orvane::Test
