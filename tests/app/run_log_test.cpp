// The run's log: one line per command with what it did, and the outcome, in UTF-8.
#include "app/run_log.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/archive_builder.h"
#include "support/hooked_progress.h"
#include "commands/copy_command.h"
#include "support/temp_folder.h"
#include "support/text.h"

namespace Orvane {
namespace {

using Test::ArchiveBytes;
using Test::Cp932;
using Test::TempFolder;
using Test::Utf8;

ContainerDescription LoggedPatch() {
    ContainerDescription description;
    description.title = Cp932(u8"ログ修正");
    description.registryKey = "Software\\Game";
    ArchiveRecord rebuild{"data.arc", 3, {}, {{0, 0}}};
    ArchiveRecord kept{"old.arc", 3, {}, {{0, 0}}};
    description.records = {CopyRecord{Cp932(u8"文書\\"), 0}, CopyRecord{Cp932(u8"文書\\"), 0},
                           DeleteRecord{"a.bin"}, DeleteRecord{"a.bin"}, rebuild, kept,
                           ArchiveRecord{"missing.arc", 1, {}, {}}};
    description.payloads = {{1, "x.bin", {2020, 1, 2, 3, 4, 5}, {2023, 6, 7, 8, 9, 10}, {7}}};
    return description;
}

TEST(RunLog, NamesWhatEachCommandDidAndTheFailureAsShown) {
    TempFolder patchFolder;
    TempFolder install;
    install.WriteFile("a.bin", "a");
    install.WriteFile("data.arc", ArchiveBytes::Narrow("LINK5", "abc", 1).End().Get());
    install.WriteFile("old.arc", ArchiveBytes::Narrow("LINK5", "abc", 5).End().Get());
    const Orvane::Test::PatchFile patch = Orvane::Test::WritePatchFile(patchFolder, LoggedPatch());
    std::ostringstream out;
    RunLog log(out);
    CErrorMessages errors;
    log.Start(Cp932(u8"ログ修正"), install.Path());
    RunOutcome outcome =
        RunPatch({install.Path(), patch.path, patch.scriptOffset, patch.version}, errors,
                 [] { return std::make_shared<Orvane::Test::HookedProgress>(); }, {},
                 log.Reporter());
    log.Finish(outcome);
    EXPECT_FALSE(outcome.cancelled);
    EXPECT_TRUE(outcome.started);
    EXPECT_EQ(out.str(), Utf8(u8"patch: ログ修正\n") + "folder: " + Utf8(install.Path()) +
                             Utf8(u8"\ncopied: 文書\\x.bin\n"
                                  u8"left as newer: 文書\\x.bin\n"
                                  u8"deleted: a.bin\n"
                                  u8"absent: a.bin\n"
                                  u8"rebuilt to revision 3: data.arc\n"
                                  u8"left at revision 5: old.arc\n"
                                  u8"failed: ARCファイルのOpenに失敗しました！\n"));
}

TEST(RunLog, CancelAndRefusalKeepTheMessageAsShown) {
    std::ostringstream out;
    RunLog log(out);
    RunOutcome cancelled{false, "x.bin\n" + std::string(kCopyCancelled), true, true};
    log.Finish(cancelled);
    log.Refuse(Cp932(u8"修正データが見つかりません！"));
    log.Finish({true, kPatchCompleted});
    EXPECT_EQ(out.str(), Utf8(u8"cancelled: x.bin\n"
                              u8"キャンセルボタンが押されたので終了します！ : CmdCopy\n"
                              u8"failed: 修正データが見つかりません！\n"
                              u8"completed: 修正が完了しました！\n"));
}

}  // namespace
}  // namespace Orvane
