// Ctrl-C during a run. The child's stderr has room for exactly the progress lines that are
// to be written before Ctrl-C, so the child is stopped inside the next line and receives
// SIGINT there: where the run notices it follows from the program, not from the timing.
#include <string>
#include <vector>

#include "apply_fixture.h"
#include "apply_texts.h"
#include "patch_maker.h"
#include "support/text.h"

namespace Orvane::Test {
namespace {

namespace Text = ApplyText;
using Tools::LinkArchive;

constexpr int kFiles = 6;

std::string FileName(int i) { return "f" + std::to_string(i) + ".dat"; }

class ApplyCancel : public ApplyTest {};

// The delete command itself never looks at Cancel: the run stops before the next command.
TEST_F(ApplyCancel, BetweenCommandsStopsBeforeTheNextOne) {
    ContainerDescription d{1, "t", 0, "Software\\Orvane\\Demo", {}, {}};
    std::string firstThree;
    for (int i = 0; i < kFiles; ++i) {
        WriteGameFile(FileName(i), "data");
        d.records.push_back(DeleteRecord{FileName(i)});
        if (i < 3) firstThree += Text::Deleting(FileName(i));
    }
    WritePatch(d);

    ChildResult run = ApplyToGameInterrupted(firstThree.size());

    ASSERT_TRUE(run.interrupted);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, firstThree + Text::Deleting(FileName(3)) + Text::kCancelled + "\n");
    FolderState after = GameState();
    for (int i = 0; i < kFiles; ++i) EXPECT_EQ(after.contains(FileName(i)), i > 3) << FileName(i);
}

// The copy command looks at Cancel once its temporary file is written, before it installs it.
TEST_F(ApplyCancel, DuringACopyLeavesItsDestinationAlone) {
    WriteGameFile("b.txt", "old b");
    WritePatch(ContainerDescription{1, "t", 0, "Software\\Orvane\\Demo",
                                    {CopyRecord{"", 0}, CopyRecord{"", 1}, CopyRecord{"", 2}},
                                    {Payload("a.txt", "a"), Payload("b.txt", "new b"), Payload("c.txt", "c")}});
    FolderState before = GameState();

    ChildResult run = ApplyToGameInterrupted(Text::Copying("a.txt").size());

    ASSERT_TRUE(run.interrupted);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, Text::Copying("a.txt") + Text::Copying("b.txt") + "b.txt\n" +
                           Text::kCopyCancelled + "\n");
    FolderState after = GameState();
    EXPECT_TRUE(after.contains("a.txt"));
    EXPECT_EQ(after["b.txt"], before["b.txt"]);
    EXPECT_FALSE(after.contains("c.txt"));
    EXPECT_EQ(TemporaryFiles(after), std::vector<std::string>());
}

// The archive update looks at Cancel for every entry: the archive stays as it was.
TEST_F(ApplyCancel, DuringAnArchiveUpdateLeavesTheArchiveAsItWas) {
    Tools::LinkEntry entry;
    entry.name = Cp932(u8"背景.bmp");
    entry.data = {'B', 'M'};
    WriteGameArchive("data.arc", LinkArchive{"LINK6", "TAG", 1, {entry, entry, entry}});
    WritePatch(ContainerDescription{1, "t", 0, "Software\\Orvane\\Demo",
                                    {CopyRecord{"", 0}, ArchiveRecord{"data.arc", 2, {}, {{0, 0}}}},
                                    {Payload("a.txt", "a")}});
    FolderState before = GameState();

    ChildResult run = ApplyToGameInterrupted(Text::Copying("a.txt").size());

    ASSERT_TRUE(run.interrupted);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, Text::Copying("a.txt") + Text::Updating("data.arc") + Text::kCancelled + "\n");
    FolderState after = GameState();
    EXPECT_EQ(after["data.arc"], before["data.arc"]);
    EXPECT_EQ(TemporaryFiles(after), std::vector<std::string>());
}

}  // namespace
}  // namespace Orvane::Test
