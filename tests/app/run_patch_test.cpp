// The run driver over real patch files and a temporary installation folder.
#include "app/run_patch.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/archive_builder.h"
#include "support/hooked_progress.h"
#include "commands/copy_command.h"
#include "commands/delete_command.h"
#include "commands/progress_text.h"
#include "patch/container_encoding.h"
#include "patch/patch_texts.h"
#include "platform/os.h"
#include "support/temp_folder.h"
#include "support/text.h"

namespace Orvane {
namespace {

using Test::ArchiveBytes;
using Test::Bytes;
using Test::Cp932;
using Test::HookedProgress;
using Test::PatchFile;
using Test::TempFolder;
using Test::Utf8;
using Test::WritePatchFile;

ContainerDescription Container(std::vector<ScriptRecord> records, std::int32_t version = 1) {
    ContainerDescription description;
    description.version = version;
    description.title = "title";
    description.registryKey = "Software\\Game";
    description.records = std::move(records);
    description.payloads = {{1, "x.bin", {2020, 1, 2, 3, 4, 5}, {2023, 6, 7, 8, 9, 10}, {7, 7}}};
    return description;
}

// One run with a recording display; counts how often the display is opened.
struct Runner {
    RunOutcome Run(const std::string& folder, const PatchFile& patch) {
        return Run({folder, patch.path, patch.scriptOffset, patch.version});
    }
    RunOutcome Run(const RunInputs& inputs) {
        return RunPatch(inputs, errors, [this] {
            ++opened;
            auto display = std::make_shared<HookedProgress>();
            display->Dirty();
            display->cancelOnText = cancelOnText;
            display->onPos = [this](std::int32_t position) { positions.push_back(position); };
            lastDisplay = display;
            return display;
        });
    }

    CErrorMessages errors;
    std::string cancelOnText;
    int opened = 0;
    std::vector<std::int32_t> positions;
    std::weak_ptr<HookedProgress> lastDisplay;
};

TEST(RunPatch, ChecksTheFolderThenTheContainerBeforeShowingProgress) {
    TempFolder patchFolder;
    TempFolder install;
    const PatchFile good = WritePatchFile(patchFolder, Container({}));
    const PatchFile version0 = WritePatchFile(patchFolder, Container({}, 0), "v0.bin");
    ASSERT_EQ(version0.version, 0);
    struct Case {
        const char* label;
        RunInputs inputs;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"empty folder and unusable container", {"", "", 0, -1},
         Cp932(u8"インストール先が指定されていません！")},
        {"empty folder", {"", good.path, good.scriptOffset, good.version}, kNoInstallFolder},
        {"unusable container", {install.Path(), "", 0, -1}, Cp932(u8"修正データがありません！")},
        {"container version 0", {install.Path(), version0.path, version0.scriptOffset, 0},
         Cp932(u8"修正スクリプトの読み込みに失敗しました！")},
        {"patch file gone", {install.Path(), patchFolder / "gone.bin", good.scriptOffset, 1},
         kScriptLoadFailed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Runner runner;
        RunOutcome outcome = runner.Run(c.inputs);
        EXPECT_FALSE(outcome.completed);
        EXPECT_EQ(outcome.message, c.message);
        EXPECT_EQ(runner.opened, 0);
        EXPECT_FALSE(outcome.started) << "a silent run reports it as unable to start";
    }
}

TEST(RunPatch, EndRecordFirstCompletesWithoutChanges) {
    TempFolder patchFolder;
    TempFolder install;
    install.WriteFile("a.bin", "a");
    const PatchFile patch = WritePatchFile(patchFolder, Container({}));
    Runner runner;
    RunOutcome outcome = runner.Run(install.Path(), patch);
    EXPECT_TRUE(outcome.completed);
    EXPECT_EQ(outcome.message, Cp932(u8"修正が完了しました！"));
    EXPECT_EQ(outcome.message, kPatchCompleted);
    EXPECT_EQ(runner.opened, 1);
    EXPECT_EQ(runner.positions, std::vector<std::int32_t>{0}) << "the bar is reset once";
    EXPECT_EQ(install.List(), std::vector<std::string>{"a.bin"});
    EXPECT_TRUE(runner.lastDisplay.expired()) << "the display is released before the outcome";
    EXPECT_TRUE(Os::DeleteFile(patch.path)) << "the patch file is closed before the outcome";
}

// A folder ending in 表 or ソ (second byte 0x5C) has no separator yet: without one, the run
// would delete "game表a.bin" beside the folder and copy into "game表doc".
TEST(RunPatch, AddsTheSeparatorUnlessTheFolderEndsInABackslashCharacter) {
    TempFolder patchFolder;
    const PatchFile patch = WritePatchFile(
        patchFolder, Container({DeleteRecord{"a.bin"}, CopyRecord{"doc\\", 0}}));
    struct Case {
        const char* label;
        std::string folder;  // in the test folder
        std::string typedAfter;
    };
    const std::vector<Case> cases = {
        {"no trailing separator", "game", ""},
        {"a trailing backslash", "game", "\\"},
        {"ending in hyo (95 5C)", Cp932(u8"game表"), ""},
        {"ending in so (83 5C)", Cp932(u8"gameソ"), ""},
        {"ending in hyo and a backslash", Cp932(u8"game表"), "\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder root;
        root.WriteFile(c.folder + "/a.bin", "inside");
        root.WriteFile(c.folder + "a.bin", "beside");
        Runner runner;
        RunOutcome outcome = runner.Run(root.Path() + c.folder + c.typedAfter, patch);
        EXPECT_TRUE(outcome.completed) << Utf8(outcome.message);
        EXPECT_EQ(root.List(), (std::vector<std::string>{c.folder, c.folder + "a.bin"}));
        EXPECT_EQ(root.List(c.folder), std::vector<std::string>{"doc"});
        EXPECT_EQ(root.ReadFile(c.folder + "/doc/x.bin"), (Bytes{7, 7}));
    }
}

TEST(RunPatch, MalformedThirdRecordStopsAfterTwoAppliedCommands) {
    TempFolder patchFolder;
    TempFolder install;
    install.WriteFile("a.bin", "a");
    const std::vector<ScriptRecord> records = {DeleteRecord{"a.bin"}, CopyRecord{"sub", 0},
                                               DeleteRecord{"b.bin"}};
    PatchFile patch = WritePatchFile(patchFolder, Container(records));
    // Give the third record an operation code that no command has.
    Bytes bytes = patchFolder.ReadFile("patch.bin");
    std::size_t third = patch.scriptOffset + kScriptTagSize + 4 + EncodeRecord(records[0]).size() +
                        EncodeRecord(records[1]).size();
    ASSERT_EQ(bytes.at(third), kDeleteCommand);
    bytes[third] = 9;
    patchFolder.WriteFile("patch.bin", bytes);

    Runner runner;
    RunOutcome outcome = runner.Run(install.Path(), patch);
    EXPECT_FALSE(outcome.completed);
    EXPECT_EQ(outcome.message, Cp932(u8"修正データの解析に失敗しました！"));
    EXPECT_FALSE(outcome.failedRecord) << "a record that cannot be read is no command that failed";
    EXPECT_EQ(runner.opened, 1);
    EXPECT_FALSE(install.Exists("a.bin"));
    EXPECT_EQ(install.ReadFile("sub/x.bin"), (Bytes{7, 7}));
    EXPECT_TRUE(runner.lastDisplay.expired());
}

TEST(RunPatch, CancelIsTakenBetweenCommandsAndByTheCopyCommand) {
    const std::string deletingA = FormatWithName(kDeletingFormat, "a.bin");
    struct Case {
        const char* label;
        std::vector<ScriptRecord> records;
        std::string cancelOnText;
        bool completed;
        std::string message;
        std::vector<std::string> left;
    };
    const std::vector<Case> cases = {
        {"during a delete followed by another command",
         {DeleteRecord{"a.bin"}, DeleteRecord{"b.bin"}}, deletingA, false,
         Cp932(u8"キャンセルボタンが押されたので終了します！"), {"b.bin"}},
        {"during a delete that is the last command", {DeleteRecord{"b.bin"}, DeleteRecord{"a.bin"}},
         deletingA, true, kPatchCompleted, {}},
        {"seen by the copy command itself", {DeleteRecord{"a.bin"}, CopyRecord{"", 0}},
         FormatWithName(kCopyingFormat, "x.bin"), false,
         "x.bin\n" + std::string(kCopyCancelled), {"b.bin"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder patchFolder;
        TempFolder install;
        install.WriteFile("a.bin", "a");
        install.WriteFile("b.bin", "b");
        const PatchFile patch = WritePatchFile(patchFolder, Container(c.records));
        Runner runner;
        runner.cancelOnText = c.cancelOnText;
        RunOutcome outcome = runner.Run(install.Path(), patch);
        EXPECT_EQ(outcome.completed, c.completed);
        EXPECT_EQ(outcome.message, c.message);
        EXPECT_EQ(outcome.cancelled, !c.completed) << "the copy's own text counts as Cancel too";
        EXPECT_FALSE(outcome.failedRecord);
        EXPECT_EQ(install.List(), c.left);

        // Run again: the script starts over from its first record.
        Runner again;
        EXPECT_TRUE(again.Run(install.Path(), patch).completed);
    }
}

TEST(RunPatch, PlainFailureIsShownAsSyntaxError) {
    TempFolder patchFolder;
    TempFolder install;
    // An archive of unknown layout is read, but cannot be written.
    install.WriteFile("data.arc", ArchiveBytes::Narrow("LINK2", "abc").End().Get());
    ArchiveRecord record;
    record.path = "data.arc";
    record.revision = 1;
    const PatchFile patch = WritePatchFile(patchFolder, Container({DeleteRecord{"a.bin"}, record}));
    install.WriteFile("a.bin", "a");
    Runner runner;
    RunOutcome outcome = runner.Run(install.Path(), patch);
    EXPECT_FALSE(outcome.completed);
    EXPECT_EQ(outcome.message, Cp932(u8"syntax error！"));
    EXPECT_EQ(outcome.message, kSyntaxError);
    ASSERT_TRUE(outcome.failedRecord);
    EXPECT_EQ(outcome.failedRecord->index, 1u);
    EXPECT_EQ(outcome.failedRecord->type, kArchiveCommand);
    EXPECT_EQ(outcome.failedRecord->path, "data.arc");
    EXPECT_FALSE(install.Exists("a.bin")) << "the command before stays applied";
    EXPECT_EQ(install.List(), std::vector<std::string>{"data.arc"});
    EXPECT_TRUE(runner.lastDisplay.expired());
    EXPECT_TRUE(Os::DeleteFile(patch.path)) << "the patch file is closed before the outcome";
}

}  // namespace
}  // namespace Orvane
