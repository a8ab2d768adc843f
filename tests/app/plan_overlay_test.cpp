// The spelling under which a dry run remembers what earlier records did to a path, and the
// folders that those records change.
#include <gtest/gtest.h>

#include "app/plan_overlay.h"
#include "support/temp_folder.h"
#include "support/text.h"

namespace Orvane {
namespace {

using Test::Cp932;
using Test::TempFolder;
using Test::Utf8;

struct KeyCase {
    std::string a;
    std::string b;
    bool same;
};

TEST(PlanOverlayTest, PathKeyFindsAFileAsThePlatformFindsIt) {
    const KeyCase cases[] = {
        {"Data\\Script.ARC", "data/script.arc", true},
        {"data/sub//x.dat", "data\\sub\\x.dat", true},
        {"sub\\..\\kept\\.\\a.txt", "kept\\a.txt", true},
        // Full-width and Greek letters fold as the platform folds them, not only ASCII.
        {Cp932(u8"ＡＢ.txt"), Cp932(u8"ａｂ.txt"), true},
        {Cp932(u8"Ｄａｔａ\\Ω.arc"), Cp932(u8"ｄＡＴＡ\\ω.ARC"), true},
        // Second bytes of double-byte characters are neither letters nor separators:
        // ア is 83 41 (not ヂ, 83 61), 表 is 95 5C.
        {Cp932(u8"ア.txt"), Cp932(u8"ヂ.txt"), false},
        {Cp932(u8"表\\A"), Cp932(u8"表\\a"), true},
        {Cp932(u8"表A"), Cp932(u8"表\\a"), false},
        {Cp932(u8"ア"), Cp932(u8"ァ"), false},
        {"a.txt", "a.txt.", false},
    };
    for (const KeyCase& c : cases) {
        EXPECT_EQ(PathKey(c.a) == PathKey(c.b), c.same) << Utf8(c.a) << " " << Utf8(c.b);
    }
}

TEST(PlanOverlayTest, AWrittenFileMakesItsFoldersAndADeleteHidesIt) {
    PlanOverlay overlay("/nowhere/", Basic::CTime(2026, 1, 2, 3, 4, 5));
    PlannedFile file;
    file.payloadIndex = 3;
    overlay.SetWritten("doc\\new\\a.txt", file);
    overlay.SetDeleted("DOC\\NEW\\A.TXT");

    ASSERT_NE(overlay.Find("doc/new"), nullptr);
    EXPECT_EQ(overlay.Find("doc/new")->kind, PlannedFile::Kind::Folder);
    EXPECT_FALSE(overlay.Look("doc\\new\\a.txt").exists);
    EXPECT_TRUE(overlay.Look("Doc").exists);
}

// A folder gets the time of the run when an entry of its own is made or removed; a folder
// further up that already existed keeps its time.
TEST(PlanOverlayTest, FoldersWhoseEntriesChangeTakeTheTimeOfTheRun) {
    TempFolder install;
    install.WriteFile("old/keep/x.txt", "x");
    const Basic::CTime now(2026, 1, 2, 3, 4, 5);
    PlanOverlay overlay(install.Path(), now);

    overlay.SetWritten("old\\keep\\a.txt", PlannedFile{});
    overlay.SetWritten(Cp932(u8"ｎｅｗ\\deep\\b.txt"), PlannedFile{});
    overlay.SetDeleted("OLD\\KEEP\\X.TXT");

    EXPECT_EQ(overlay.Look("old\\keep").modified, now);
    EXPECT_EQ(overlay.Find("old"), nullptr) << "its entries did not change";
    EXPECT_EQ(overlay.Look(Cp932(u8"ＮＥＷ\\DEEP")).modified, now);
    EXPECT_EQ(overlay.Look(Cp932(u8"Ｎｅｗ")).modified, now) << "it was made";
}

}  // namespace
}  // namespace Orvane
