// The spelling under which a dry run remembers what earlier records did to a path.
#include <gtest/gtest.h>

#include "app/plan_overlay.h"
#include "support/text.h"

namespace Orvane {
namespace {

using Test::Cp932;

struct KeyCase {
    std::string path;
    std::string key;
};

TEST(PlanOverlayTest, PathKeyFoldsSingleByteLettersAndSeparatorsOnly) {
    const KeyCase cases[] = {
        {"Data\\Script.ARC", "data\\script.arc"},
        {"data/sub//x.dat", "data\\sub\\x.dat"},
        {"sub\\..\\kept\\.\\a.txt", "kept\\a.txt"},
        // Second bytes of double-byte characters are neither letters nor separators:
        // ア is 83 41, ソ is 83 5C, 表 is 95 5C.
        {Cp932(u8"ア\\ソ\\表.txt"), Cp932(u8"ア\\ソ\\表.txt")},
        {Cp932(u8"表\\A"), Cp932(u8"表\\a")},
    };
    for (const KeyCase& c : cases) EXPECT_EQ(PathKey(c.path), c.key) << Orvane::Test::Utf8(c.path);
}

TEST(PlanOverlayTest, AWrittenFileMakesItsFoldersAndADeleteHidesIt) {
    PlanOverlay overlay;
    PlannedFile file;
    file.payloadIndex = 3;
    overlay.SetWritten("doc\\new\\a.txt", file);
    overlay.SetDeleted("DOC\\NEW\\A.TXT");

    ASSERT_NE(overlay.Find("doc/new"), nullptr);
    EXPECT_EQ(overlay.Find("doc/new")->kind, PlannedFile::Kind::Folder);
    EXPECT_FALSE(overlay.Look("/nowhere/", "doc\\new\\a.txt").exists);
    EXPECT_TRUE(overlay.Look("/nowhere/", "Doc").exists);
}

}  // namespace
}  // namespace Orvane
