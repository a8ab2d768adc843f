// The delete command and the rule that keeps every command's paths inside the installation.
#include "commands/delete_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/safe_path.h"
#include "support/hooked_progress.h"
#include "support/temp_folder.h"
#include "support/text.h"

namespace Orvane {
namespace {

using Test::Cp932;
using Test::FailureOf;
using Test::HookedProgress;
using Test::RecordingProgress;
using Test::TempFolder;
using Test::Utf8;

TEST(CmdDelete, RemovesAFileAndToleratesAMissingOne) {
    struct Case {
        const char* label;
        std::function<void(const TempFolder&)> arrange;
        std::string relativePath;
        std::string failure;
        std::vector<std::string> left;  // in the folder afterwards
        std::vector<std::int32_t> positions;
    };
    const std::vector<Case> cases = {
        {"the file exists", [](const TempFolder& f) { f.WriteFile("sub/a.bin", "x"); },
         "sub\\a.bin", "", {}, {0, 1, 2}},
        {"nothing of that name", [](const TempFolder& f) { f.WriteFile("sub/b.bin", "x"); },
         "sub\\a.bin", "", {"b.bin"}, {0, 2}},
        {"the name is a folder", [](const TempFolder& f) { f.WriteFile("sub/a.bin/c", "x"); },
         "sub\\a.bin", Cp932(u8"更新ファイルの削除に失敗！"), {"a.bin"}, {0, 1}},
        {"the file is read-only",
         [](const TempFolder& f) {
             f.WriteFile("sub/a.bin", "x");
             f.MakeReadOnly("sub/a.bin", true);
         },
         "sub\\a.bin", kUpdateFileNotDeleted, {"a.bin"}, {0, 1}},
        {"a path that climbs out of the installation",
         [](const TempFolder& f) { f.WriteFile("sub/a.bin", "x"); }, "..\\sub\\a.bin",
         Cp932(u8"不正なパスが指定されています！"), {"a.bin"}, {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder install;
        c.arrange(install);
        HookedProgress progress;
        progress.Dirty();
        progress.RequestCancel();  // the delete command does not look at it
        DeleteParams params;
        params.relativePath = c.relativePath;
        EXPECT_EQ(FailureOf([&] { CmdDelete(progress, install.Path(), params); }), c.failure);
        EXPECT_EQ(install.List("sub"), c.left);
        EXPECT_EQ(progress.positions, c.positions);
        EXPECT_EQ(progress.ranges, (std::vector<RecordingProgress::Range>{{0, 2}}));
        EXPECT_EQ(progress.texts,
                  std::vector<std::string>{Cp932(u8"『 ") + c.relativePath + Cp932(u8" 』を削除中...")});
        EXPECT_TRUE(progress.TakeCancelRequest());
    }
}

TEST(SafePath, KeepsRecordPathsInsideTheInstallationFolder) {
    const std::string so = Cp932(u8"ソ");  // 83 5C: its trail byte is no separator
    struct Case {
        std::string path;
        bool inside;
    };
    const std::vector<Case> cases = {
        {"a.bin", true},
        {"", true},
        {"a\\b/c.bin", true},
        {".\\a.bin", true},
        {"a\\..\\b.bin", true},
        {"a\\b\\..\\..\\c.bin", true},
        {"..a\\a..", true},
        {so + "..\\..\\x", true},  // one folder "ソ..", then up to the start again
        {"..", false},
        {"..\\a.bin", false},
        {"../a.bin", false},
        {"a\\..\\..\\b.bin", false},
        {"...\\a.bin", false},
        {".. \\a.bin", false},  // Windows drops the trailing space
        {". .\\a.bin", false},
        {"\\a.bin", false},
        {"/etc/passwd", false},
        {"\\\\server\\share\\a.bin", false},
        {"C:\\a.bin", false},
        {"C:a.bin", false},
        {"a.bin:stream", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsInsideFolder(c.path), c.inside) << Utf8(c.path);
    }
}

}  // namespace
}  // namespace Orvane
