// What a successful `orvpatch diff` leaves: a patch that `orvpatch apply` turns the old release
// into the new one with, the same patch for the same releases, a manifest that `orvpatch build`
// turns into the same bytes; and the usage mistakes it refuses with exit status 2.
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "diff_fixture.h"
#include "support/folder_state.h"
#include "platform/posix/temp_mark.h"
#include "support/text.h"

namespace Orvane::Test {
namespace {

using Tools::LinkArchive;

constexpr char kUsage[] = "usage: orvpatch diff OLD... NEW -o PATCH";

std::string Contents(const std::string& utf8) {
    std::ifstream in(std::filesystem::path(std::u8string(utf8.begin(), utf8.end())),
                     std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Files only, by path: folders cannot be made or removed by a patch.
std::map<std::string, std::vector<std::uint8_t>> Files(const std::string& folder) {
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (auto& [path, entry] : ReadFolderState(folder)) {
        if (!entry.isFolder) files[path] = entry.bytes;
    }
    return files;
}

// Marks the files and folders as temporary files of a process that has ended since.
void MarkInAProcessThatIsGone(const std::vector<std::string>& paths) {
    pid_t child = ::fork();
    if (child == 0) {
        for (const std::string& path : paths) {
            int descriptor = ::open(path.c_str(), O_RDONLY);
            Os::Posix::MarkAsTemporary(descriptor);
        }
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
}

class DiffOutput : public DiffTest {
protected:
    void SetUp() override {
        WriteFile("old", "readme.txt", "1.0", kOldTime);
        WriteFile("old", "old.dat", "gone", kOldTime);
        WriteFile("new", "readme.txt", "1.1", kNewTime);
        WriteFile("new", Utf8(u8"doc/修正履歴.txt"), "fixes", kNewTime);
        WriteArchive(
            "old", "data/g.arc",
            LinkArchive{"LINK6", "cg", 1, {Entry(u8"背景.bmp", "1"), Entry(u8"表.bmp", "2")}},
            kOldTime);
        WriteArchive(
            "new", "data/g.arc",
            LinkArchive{"LINK6", "cg", 2, {Entry(u8"背景.bmp", "1"), Entry(u8"表.bmp", "3")}},
            kNewTime);
    }
};

TEST_F(DiffOutput, PatchAppliesToTheOldReleaseAndEqualsTheNewOne) {
    ChildResult diff = Diff();
    ASSERT_EQ(diff.exitCode, 0) << diff.err;
    EXPECT_NE(diff.out.find("by entry: data\\g.arc to revision 2, 1 removed, 1 added"),
              std::string::npos)
        << diff.out;

    ChildResult apply = Run({"apply", "--folder", Path("old"), PatchPath()});

    ASSERT_EQ(apply.exitCode, 0) << apply.err;
    EXPECT_EQ(Files(Path("old")), Files(Path("new")));
}

TEST_F(DiffOutput, SameReleasesGiveTheSameBytesAndTheManifestBuildsThem) {
    ASSERT_EQ(Diff({"--manifest", ManifestPath()}).exitCode, 0);
    std::string first = Contents(PatchPath());
    ASSERT_EQ(Diff().exitCode, 0);
    EXPECT_EQ(Contents(PatchPath()), first);

    ChildResult build =
        Run({"build", ManifestPath(), "-o", Path("out/built.exe"), "--stub", Path("stub.exe")});

    ASSERT_EQ(build.exitCode, 0) << build.err;
    EXPECT_EQ(Contents(Path("out/built.exe")), first);
}

TEST_F(DiffOutput, AllowSkipWarnsOfACopyTheFreshnessRuleSkips) {
    WriteFile("old", "readme.txt", "1.0", kNewTime);

    ChildResult diff = Diff({"--allow-skip"});

    EXPECT_EQ(diff.exitCode, 0) << diff.err;
    EXPECT_NE(diff.err.find("warning: the copy leaves the old file"), std::string::npos);
    EXPECT_NE(diff.err.find("readme.txt"), std::string::npos);
    EXPECT_TRUE(Exists("out/patch.exe"));
}

// Changes the diff used to refuse though a patch expresses them; each patch must turn the old
// release into the new one.
struct ChangeCase {
    const char* what;
    std::function<void(const DiffTest&)> arrange;
    std::string summaryPart;  // found in the diff's output
};

void PrintTo(const ChangeCase& c, std::ostream* out) { *out << c.what; }

const ChangeCase kChangeCases[] = {
    {"a file that becomes a folder",
     [](const DiffTest& t) {
         t.WriteFile("old", "save", "s", kOldTime);
         t.WriteFile("new", "save/1.dat", "1", kNewTime);
         t.WriteFile("new", "save/2.dat", "2", kNewTime);
     },
     "note: a second run of the patch stops at once, at the delete that makes way for the "
     "folder (the installation is new by then): save"},
    {"an archive whose tag changed and whose revision did not rise",
     ArchiveChange("g.arc", LinkArchive{"LINK4", "ARC", 2, {Entry(u8"a", "1")}},
                   LinkArchive{"LINK4", "CG", 2, {Entry(u8"a", "2")}}),
     "its tag differs"},
    {"an archive whose layout changed and whose revision fell",
     ArchiveChange("g.arc", LinkArchive{"LINK6", "ARC", 5, {Entry(u8"a", "1")}},
                   LinkArchive{"LINK4", "ARC", 1, {Entry(u8"a", "2")}}),
     "its layout differs"},
    {"an archive rebuilt in another order says which entries it carries only for the order",
     ArchiveChange("g.arc",
                   LinkArchive{"LINK4", "ARC", 1, {Entry(u8"b", "22"), Entry(u8"a", "1")}},
                   LinkArchive{"LINK4", "ARC", 2,
                               {Entry(u8"a", "1"), Entry(u8"b", "22"), Entry(u8"c", "444")}}),
     "2 added (5 bytes); 1 (2 bytes) of them unchanged, added again only to reach the new "
     "archive's entry order"},
};

class DiffChange : public DiffTest, public testing::WithParamInterface<ChangeCase> {};

TEST_P(DiffChange, PatchTurnsTheOldReleaseIntoTheNewOne) {
    const ChangeCase& c = GetParam();
    c.arrange(*this);

    ChildResult diff = Diff();
    ASSERT_EQ(diff.exitCode, 0) << diff.err;
    EXPECT_NE(diff.out.find(c.summaryPart), std::string::npos) << diff.out;
    ChildResult apply = Run({"apply", "--folder", Path("old"), PatchPath()});

    ASSERT_EQ(apply.exitCode, 0) << apply.err;
    EXPECT_EQ(Files(Path("old")), Files(Path("new")));
}

INSTANTIATE_TEST_SUITE_P(Cases, DiffChange, testing::ValuesIn(kChangeCases));

// What a diff killed at any moment leaves beside its outputs: marked files and folders whose
// creator is gone. A later diff removes them, and nothing that is unmarked or still live.
TEST_F(DiffOutput, RemovesWhatAKilledDiffLeftAndNothingElse) {
    for (const char* name : {"patch.exe.tmp-1", "patch.payloads.tmp-2/00000-a", "patch.toml.tmp-3",
                             "orvpatch-check.tmp-4/0/a.txt", "live.exe.tmp-5", "plain.exe.tmp-6"}) {
        WriteFile("out", name, "left", kOldTime);
    }
    MarkInAProcessThatIsGone({Path("out/patch.exe.tmp-1"), Path("out/patch.payloads.tmp-2"),
                              Path("out/patch.toml.tmp-3"), Path("out/orvpatch-check.tmp-4")});
    int live = ::open(Path("out/live.exe.tmp-5").c_str(), O_RDONLY);
    Os::Posix::MarkAsTemporary(live);
    ::close(live);

    ChildResult diff = Diff({"--manifest", ManifestPath()});

    ASSERT_EQ(diff.exitCode, 0) << diff.err;
    std::vector<std::string> left;
    for (const auto& [path, entry] : ReadFolderState(Path("out"))) {
        if (path.find(".tmp-") != std::string::npos) left.push_back(path);
    }
    EXPECT_EQ(left, (std::vector<std::string>{"live.exe.tmp-5", "plain.exe.tmp-6"}));
}

struct PlaceCase {
    const char* what;
    std::vector<std::string> options;  // after the releases; {DIR} stands for the sandbox
    std::string message;
};

void PrintTo(const PlaceCase& c, std::ostream* out) { *out << c.what; }

const PlaceCase kPlaceCases[] = {
    {"the patch inside the new release", {"-o", "{DIR}new/patch.exe"}, "lies inside the release"},
    {"the patch inside an old release through a link",
     {"-o", "{DIR}link/patch.exe"},
     "lies inside the release"},
    {"the manifest inside an old release",
     {"-o", "{DIR}out/p.exe", "--manifest", "{DIR}out/../old/p.toml"},
     "lies inside the release"},
    {"the scratch folder inside a release",
     {"-o", "{DIR}out/p.exe", "--scratch", "{DIR}old/data"},
     "lies inside the release"},
    {"a release inside the payload folder",
     {"-o", "{DIR}out/p.exe", "--manifest", "{DIR}p.toml"},
     "holds the release"},
};

class DiffPlaces : public DiffOutput, public testing::WithParamInterface<PlaceCase> {};

// Refused before anything is read or written: the releases stay as they are.
TEST_P(DiffPlaces, RefusesAnOutputInsideARelease) {
    std::filesystem::create_symlink(Path("old"), Path("link"));
    std::filesystem::create_directories(Path("p.payloads"));
    std::filesystem::rename(Path("new"), Path("p.payloads/new"));
    std::filesystem::create_symlink(Path("p.payloads/new"), Path("new"));
    FolderState before = ReadFolderState(Path("p.payloads"));
    std::vector<std::string> arguments{"diff", Path("old"), Path("new"), "--title", "T",
                                       "--registry-key", "K", "--stub", Path("stub.exe")};
    for (std::string option : GetParam().options) {
        if (option.starts_with("{DIR}")) option = Path(option.substr(5));
        arguments.push_back(option);
    }

    ChildResult run = Run(arguments);

    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_EQ(ReadFolderState(Path("p.payloads")), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, DiffPlaces, testing::ValuesIn(kPlaceCases));

// The check runs under a folder of exactly the installation folder's length, wherever the
// scratch folder is: a path that just fits below 40 characters passes there.
TEST_F(DiffOutput, ChecksBelowAFolderOfTheGivenLengthFromADeepScratchFolder) {
    WriteFile("new", std::string(100, 'd') + "/" + std::string(100, 'e') + "/f.txt", "s",
              kNewTime);
    std::string deep = Path("out/" + std::string(120, 's') + "/" + std::string(120, 't'));
    std::filesystem::create_directories(deep);

    ChildResult diff = Diff({"--install-path-length", "44", "--scratch", deep});

    EXPECT_EQ(diff.exitCode, 0) << diff.err;
    EXPECT_NE(diff.out.find("checked: every old release"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(deep));
}

struct UsageCase {
    const char* what;
    std::vector<std::string> arguments;  // after "diff"; {OLD} and {NEW} stand for the releases
};

void PrintTo(const UsageCase& c, std::ostream* out) { *out << c.what; }

const UsageCase kUsageCases[] = {
    {"one release only", {"{NEW}", "-o", "{PATCH}", "--title", "T", "--registry-key", "K"}},
    {"no patch to write", {"{OLD}", "{NEW}", "--title", "T", "--registry-key", "K"}},
    {"no title", {"{OLD}", "{NEW}", "-o", "{PATCH}", "--registry-key", "K"}},
    {"no registry key", {"{OLD}", "{NEW}", "-o", "{PATCH}", "--title", "T"}},
    {"an unknown option",
     {"{OLD}", "{NEW}", "-o", "{PATCH}", "--title", "T", "--registry-key", "K", "--fast"}},
    {"a release that is no folder",
     {"{OLD}x", "{NEW}", "-o", "{PATCH}", "--title", "T", "--registry-key", "K"}},
    {"a title outside code page 932",
     {"{OLD}", "{NEW}", "-o", "{PATCH}", "--title", "\xE2\x98\x83", "--registry-key", "K"}},
};

class DiffUsage : public DiffTest, public testing::WithParamInterface<UsageCase> {};

TEST_P(DiffUsage, ExitsWithTheUsageLineAndWritesNothing) {
    std::vector<std::string> arguments{"diff"};
    for (std::string argument : GetParam().arguments) {
        for (const auto& [mark, path] :
             {std::pair{"{OLD}", Path("old")}, {"{NEW}", Path("new")}, {"{PATCH}", PatchPath()}}) {
            if (argument.starts_with(mark)) {
                argument = path + argument.substr(std::string(mark).size());
            }
        }
        arguments.push_back(argument);
    }
    arguments.insert(arguments.end(), {"--stub", Path("stub.exe")});

    ChildResult run = Run(arguments);

    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find(kUsage), std::string::npos) << run.err;
    EXPECT_FALSE(Exists("out/patch.exe"));
}

INSTANTIATE_TEST_SUITE_P(Cases, DiffUsage, testing::ValuesIn(kUsageCases));

}  // namespace
}  // namespace Orvane::Test
