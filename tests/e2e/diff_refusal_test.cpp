// What `orvpatch diff` refuses: every case exits with 1 and a message naming the file or
// entry, and leaves the patch, the manifest and the payload folder it was given as they were.
#include <functional>
#include <string>

#include "diff_fixture.h"
#include "support/folder_state.h"
#include "support/text.h"

namespace Orvane::Test {
namespace {

using Tools::LinkArchive;

struct RefusalCase {
    const char* what;
    std::function<void(const DiffTest&)> arrange;
    std::vector<std::string> expectedParts;  // each found in stderr
    std::string title = "T";
};

void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.what; }

class DiffRefusal : public DiffTest, public testing::WithParamInterface<RefusalCase> {};

constexpr char kNotForWindows[] = "a name that Windows cannot hold";

std::function<void(const DiffTest&)> NewFile(const std::string& relative) {
    return [relative](const DiffTest& t) { t.WriteFile("new", relative, "s", kNewTime); };
}

std::function<void(const DiffTest&)> NewFiles(const std::vector<std::string>& relatives) {
    return [relatives](const DiffTest& t) {
        for (const std::string& relative : relatives) t.WriteFile("new", relative, "s", kNewTime);
    };
}

const std::string kLongD = std::string(100, 'd') + "/" + std::string(100, 'e');
const std::string kLongG = std::string(100, 'g') + "/" + std::string(100, 'h');

const RefusalCase kCases[] = {
    {"a changed file whose time is not newer",
     [](const DiffTest& t) {
         t.WriteFile("old", "readme.txt", "1.0", kNewTime);
         t.WriteFile("new", "readme.txt", "1.1", kNewTime);
     },
     {"the new file is not newer than the old one", "readme.txt"}},
    {"an archive revision not above the old one's",
     ArchiveChange("data/g.arc", LinkArchive{"LINK4", "ARC", 2, {Entry(u8"a", "1")}},
                   LinkArchive{"LINK4", "ARC", 2, {Entry(u8"a", "2")}}),
     {"revision is not above", "data\\g.arc"}},
    {"a folder that becomes a file",
     [](const DiffTest& t) {
         t.WriteFile("old", "save/1.dat", "s", kOldTime);
         t.WriteFile("new", "save", "s", kNewTime);
     },
     {"a folder becomes a file: save"}},
    {"a name outside code page 932",
     [](const DiffTest& t) { t.WriteFile("new", Utf8(u8"雪\u2603.txt"), "s", kNewTime); },
     {"a name outside code page 932", Utf8(u8"雪\u2603.txt")}},  // as it is, not as "?"
    {"a name the patch program refuses",
     [](const DiffTest& t) { t.WriteFile("new", "data/a:b.txt", "s", kNewTime); },
     {"a path that the patch program refuses", "data\\a:b.txt"}},
    {"a name with a '?'", NewFile("a?b.txt"), {kNotForWindows, "a?b.txt"}},
    {"a name with a '|'", NewFile("x|y.txt"), {kNotForWindows, "x|y.txt"}},
    {"a name with '<' and '>'", NewFile("lt<gt>.txt"), {kNotForWindows, "lt<gt>.txt"}},
    {"a device name", NewFile("NUL"), {kNotForWindows, "NUL"}},
    {"a device name with an extension", NewFile("data/com1.txt"), {kNotForWindows, "com1.txt"}},
    {"a trailing dot", NewFile("trail."), {kNotForWindows, "trail."}},
    {"a trailing space", NewFile("sp "), {kNotForWindows, "sp "}},
    {"a name holding a backslash", NewFile("back\\slash.txt"),
     {kNotForWindows, "back\\slash.txt"}},
    {"a folder that Windows cannot hold", NewFile("aux/readme.txt"),
     {kNotForWindows, "aux\\readme.txt"}},
    {"an old file that a delete would name",
     [](const DiffTest& t) { t.WriteFile("old", "what?.txt", "s", kOldTime); },
     {kNotForWindows, "what?.txt"}},
    {"a time that a payload cannot store",
     [](const DiffTest& t) { t.WriteFile("new", "old.txt", "s", -315619200); },  // 1960
     {"a time that a payload cannot store: old.txt"}},
    {"a patch past the format's limits",
     [](const DiffTest& t) { t.WriteFile("new", "a.txt", "s", kNewTime); },
     {"a text is longer than the 65535 bytes"},
     std::string(40000, 'x')},
    {"a path that does not fit below the player's installation folder",
     [](const DiffTest& t) {
         t.WriteFile("new", std::string(100, 'd') + "/" + std::string(100, 'e') + "/f.txt", "s",
                     kNewTime);
     },
     {"a path does not fit below an installation folder of 64 characters: " +
          std::string(100, 'd') + "\\" + std::string(100, 'e') + "\\f.txt",
      "(it fits below one of at most 44)"}},
    {"every name that Windows cannot hold, not only the first",
     NewFiles({"a?b.txt", "data/NUL", "z|z.txt"}),
     {kNotForWindows, "a?b.txt", "\n  data\\NUL\n  z|z.txt"}},
    {"every name outside code page 932",
     NewFiles({Utf8(u8"one/\u2603.txt"), Utf8(u8"two/\u2603.txt")}),
     {"a name outside code page 932", "new/one/", "new/two/"}},
    {"offenders of different kinds together",
     [](const DiffTest& t) {
         t.WriteFile("new", "old.txt", "s", -315619200);  // 1960
         t.WriteFile("new", "x|y.txt", "s", kNewTime);
     },
     {"a time that a payload cannot store: old.txt", kNotForWindows, "x|y.txt"}},
    {"every path that does not fit below the player's installation folder",
     NewFiles({kLongD + "/f.txt", kLongG + "/f.txt"}),
     {"a path does not fit below an installation folder of 64 characters: " +
          std::string(100, 'd'),
      "\n  " + std::string(100, 'g') + "\\" + std::string(100, 'h') + "\\f.txt (it fits below"}},
    {"a patch that the check finds failing",
     [](const DiffTest& t) {
         t.WriteFile("old", "a.txt", "1.0", kOldTime);
         t.WriteFile("new", "a.txt", "1.1", kNewTime);
         t.MakeReadOnly("old/a.txt");
     },
     {"applying the patch to a copy of an old release fails",
      Utf8(u8"更新ファイルの作成に失敗！")}},
};

TEST_P(DiffRefusal, ExitsWithItsMessageAndLeavesNoPatch) {
    const RefusalCase& c = GetParam();
    c.arrange(*this);
    WriteFile("out", "patch.exe", "an older patch", kOldTime);
    WriteFile("out", "patch.toml", "my notes", kOldTime);
    WriteFile("out", "patch.payloads/mine.txt", "mine", kOldTime);
    FolderState before = ReadFolderState(Path("out"));

    ChildResult run = Diff({"--manifest", ManifestPath()}, c.title);

    EXPECT_EQ(run.exitCode, 1) << run.err;
    for (const std::string& part : c.expectedParts) {
        EXPECT_NE(run.err.find(part), std::string::npos) << run.err;
    }
    EXPECT_EQ(ReadFolderState(Path("out")), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, DiffRefusal, testing::ValuesIn(kCases));

// A delete makes way for a folder only where no old release has the folder already: the delete
// would fail on it there.
TEST_F(DiffTest, RefusesAFileInOneOldReleaseAndAFolderInAnother) {
    WriteFile("old", "save", "s", kOldTime);
    WriteFile("old2", "save/1.dat", "s", kOldTime);
    WriteFile("new", "save/1.dat", "t", kNewTime);

    ChildResult run = Run({"diff", Path("old"), Path("old2"), Path("new"), "-o", PatchPath(),
                           "--title", "T", "--registry-key", "K", "--stub", Path("stub.exe")});

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("a file in one old release and a folder in another"), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find(": save"), std::string::npos) << run.err;
    EXPECT_FALSE(Exists("out/patch.exe"));
}

}  // namespace
}  // namespace Orvane::Test
