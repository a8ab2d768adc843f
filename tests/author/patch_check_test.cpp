// The check of a written patch: a patch that does not make the new release is caught with the
// file that differs, and a stop asked for during the check ends it without leaving a scratch
// copy behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "author/patch_check.h"
#include "author/patch_description.h"
#include "author/release_diff.h"
#include "author/release_payloads.h"
#include "author/scratch_tree.h"
#include "common/failure.h"
#include "patch/container_writer.h"
#include "support/temp_folder.h"
#include "support/text.h"
#include "tools/minimal_image.h"

namespace Orvane::Test {
namespace {

namespace fs = std::filesystem;

fs::path HostPath(const std::string& cp932) {
    std::string utf8 = Utf8(cp932);
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

class PatchCheckTest : public testing::Test {
protected:
    void SetUp() override {
        folder_.WriteFile("old/a.txt", "1.0");
        folder_.WriteFile("new/a.txt", "1.1");
        folder_.WriteFile("other/a.txt", "1.2");
        fs::last_write_time(HostPath(folder_ / "old/a.txt"),
                            fs::file_time_type::clock::now() - std::chrono::hours(24));
        fs::create_directories(HostPath(folder_ / "scratch"));
        Tools::WriteMinimalImage(folder_ / "stub.exe");
        olds_.push_back(Author::Release::Scan(HostPath(folder_ / "old")));
    }

    // The patch that turns old/ into `target`, and the plan of the diff to new/.
    std::string WritePatch(const std::string& target) {
        Author::Release to = Author::Release::Scan(HostPath(folder_ / target));
        Author::PatchPlan plan = Author::DiffReleases(olds_, to, {});
        Author::ReleasePayloads payloads(plan, {});
        WritePatchExecutable(folder_ / "stub.exe", Author::DescribePatch(plan, "t", "k"),
                             folder_ / "patch.exe", &payloads);
        return folder_ / "patch.exe";
    }

    // The check of patch against `target`, with the plan of the diff to new/.
    std::string Check(const std::string& patch, const Author::StopPoll& stop = {},
                      const std::string& target = "new") {
        Author::Release newer = Author::Release::Scan(HostPath(folder_ / target));
        Author::PatchPlan plan =
            Author::DiffReleases(olds_, Author::Release::Scan(HostPath(folder_ / "new")), {});
        try {
            Author::CheckPatch(patch, olds_, newer, plan, {HostPath(folder_ / "scratch"), 64},
                               stop);
        } catch (const MessageFailure& failure) {
            return failure.Text();
        }
        return "";
    }

    bool ScratchIsEmpty() const { return fs::is_empty(HostPath(folder_ / "scratch")); }

    TempFolder folder_;
    std::vector<Author::Release> olds_;
};

TEST_F(PatchCheckTest, PassesThePatchOfTheDiff) {
    EXPECT_EQ(Check(WritePatch("new")), "");
    EXPECT_TRUE(ScratchIsEmpty());
}

TEST_F(PatchCheckTest, NamesTheFileThatAnotherPatchLeavesOtherwise) {
    EXPECT_EQ(Check(WritePatch("other")),
              std::string(Author::kFileDiffers) + ": a.txt (" + (folder_ / "old") + ")");
    EXPECT_TRUE(ScratchIsEmpty());
}

// The scratch tree holds only what the records reach; the rest is compared where it lies.
TEST_F(PatchCheckTest, NamesAFileThatNoRecordReaches) {
    folder_.WriteFile("wider/a.txt", "1.1");
    folder_.WriteFile("wider/extra.txt", "x");

    EXPECT_EQ(Check(WritePatch("new"), {}, "wider"),
              std::string(Author::kFileMissing) + ": extra.txt (" + (folder_ / "old") + ")");
    EXPECT_TRUE(ScratchIsEmpty());
}

// The old file the run reads is the release's own, linked into the scratch tree; a change to it
// while the check runs fails the check.
TEST_F(PatchCheckTest, LinksTheOldFilesTheRunReadsAndRefusesOneThatChanges) {
    const std::string patch = WritePatch("new");
    const fs::path old = HostPath(folder_ / "old/a.txt");
    bool linked = false;
    auto seeLink = [&] {
        for (const auto& entry : fs::recursive_directory_iterator(HostPath(folder_ / "scratch"))) {
            std::error_code error;
            bool named = entry.path().filename() == "a.txt";
            linked = linked || (named && fs::equivalent(entry, old, error));
        }
        return false;
    };
    EXPECT_EQ(Check(patch, seeLink), "");
    EXPECT_TRUE(linked);
    EXPECT_EQ(folder_.ReadFile("old/a.txt"), (std::vector<std::uint8_t>{'1', '.', '0'}));

    bool changed = false;
    auto change = [&] {
        if (!std::exchange(changed, true)) folder_.WriteFile("old/a.txt", "1.0, changed");
        return false;
    };
    EXPECT_EQ(Check(patch, change).rfind(Author::kOldFileChanged, 0), 0u);
    EXPECT_TRUE(ScratchIsEmpty());
}

TEST_F(PatchCheckTest, StopsWhenAskedAndLeavesNoScratchCopy) {
    for (int calls : {1, 2, 3}) {
        int left = calls;
        EXPECT_EQ(Check(WritePatch("new"), [&left] { return --left == 0; }), Author::kInterrupted)
            << "stop at poll " << calls;
        EXPECT_TRUE(ScratchIsEmpty());
    }
}

}  // namespace
}  // namespace Orvane::Test
