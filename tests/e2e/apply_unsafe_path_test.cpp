// No record writes outside the installation folder: absolute paths, drives, network shares
// and ".." climbing above the folder are refused before anything is touched.
#include <string>
#include <vector>

#include "apply_fixture.h"
#include "apply_texts.h"
#include "patch_maker.h"
#include "support/text.h"

namespace Orvane::Test {
namespace {

namespace Text = ApplyText;

// Stands for the sandbox's root folder (absolute, with '/' separators) in a record's path.
constexpr char kRoot[] = "<root>";

struct UnsafeCase {
    const char* what;
    char kind;  // 'c' copy into the folder, 'd' delete the path, 'a' update the archive
    std::string path;
};

void PrintTo(const UnsafeCase& c, std::ostream* out) { *out << c.what; }

class ApplyUnsafePath : public ApplyTest, public testing::WithParamInterface<UnsafeCase> {
protected:
    void SetUp() override {
        WriteGameFile("inside.dat", "inside");
        // Targets just outside the installation, where a climbing path would lead.
        WriteGameFile("../victim.txt", "victim");
        WriteGameArchive("../outside.arc", Tools::LinkArchive{"LINK4", "ARC", 1, {}});
    }

    ScriptRecord Record() const {
        std::string path = GetParam().path;
        if (path.starts_with(kRoot)) path = Cp932(Utf8Bytes(RootPath())) + path.substr(sizeof kRoot - 1);
        switch (GetParam().kind) {
            case 'c': return CopyRecord{path, 0};
            case 'd': return DeleteRecord{path};
            default: return ArchiveRecord{path, 2, {}, {{0, 0}}};
        }
    }

    static std::u8string Utf8Bytes(const std::string& utf8) { return {utf8.begin(), utf8.end()}; }
};

TEST_P(ApplyUnsafePath, IsRefusedAndNothingChangesAnywhere) {
    WritePatch(ContainerDescription{1, "t", 0, "Software\\Orvane\\Demo", {Record()},
                                    {Payload("victim.txt", "overwritten")}});
    FolderState before = ReadFolderState(RootPath());

    ChildResult run = ApplyToGame();

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.err.ends_with("\n" + Text::kUnsafePath + "\n") ||
                run.err == Text::kUnsafePath + "\n")
        << run.err;
    FolderState after = ReadFolderState(RootPath());
    for (auto& [path, entry] : after) {
        if (path.starts_with("work/")) continue;  // the patch and the captured output
        EXPECT_TRUE(before.contains(path)) << "written: " << path;
        EXPECT_EQ(entry, before[path]) << "changed: " << path;
    }
    for (const auto& [path, entry] : before) EXPECT_TRUE(after.contains(path)) << "gone: " << path;
}

INSTANTIATE_TEST_SUITE_P(
    Records, ApplyUnsafePath,
    testing::Values(
        UnsafeCase{"copy to parent", 'c', "..\\"},
        UnsafeCase{"copy climbing back out", 'c', "sub\\..\\..\\"},
        UnsafeCase{"copy to dots with space", 'c', ".. \\"},
        UnsafeCase{"copy to drive", 'c', "C:\\games\\"},
        UnsafeCase{"copy to share", 'c', "\\\\server\\share\\"},
        UnsafeCase{"copy to absolute", 'c', std::string(kRoot)},
        UnsafeCase{"copy to slash parent", 'c', "../"},
        UnsafeCase{"delete parent file", 'd', "..\\victim.txt"},
        UnsafeCase{"delete absolute", 'd', std::string(kRoot) + "victim.txt"},
        UnsafeCase{"delete drive relative", 'd', "C:victim.txt"},
        UnsafeCase{"delete rooted", 'd', "\\victim.txt"},
        UnsafeCase{"archive parent", 'a', "..\\outside.arc"},
        UnsafeCase{"archive absolute", 'a', std::string(kRoot) + "outside.arc"},
        UnsafeCase{"archive device path", 'a', "\\\\?\\C:\\outside.arc"}),
    [](const testing::TestParamInfo<UnsafeCase>& info) { return std::to_string(info.index); });

class ApplyInsidePath : public ApplyTest {};

TEST_F(ApplyInsidePath, DotsThatStayInsideAreFollowed) {
    WritePatch(ContainerDescription{1, "t", 0, "Software\\Orvane\\Demo",
                                    {CopyRecord{"sub\\..\\kept\\.\\", 0}}, {Payload("a.txt", "a")}});

    ChildResult run = ApplyToGame();

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(GameState().contains("kept/a.txt"));
}

}  // namespace
}  // namespace Orvane::Test
