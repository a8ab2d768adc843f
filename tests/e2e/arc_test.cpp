// `orvpatch arc list`, `extract` and `create`, run as the user runs them: archives of the four
// layouts made from files and taken apart again, byte-exact archives, and names that would lead
// out of the target folder.
#include <nlohmann/json.hpp>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "apply_fixture.h"
#include "support/text.h"

namespace Orvane::Test {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using Bytes = std::vector<std::uint8_t>;

// 2024-03-05 14:30:00 in the child's time zone (JST-9).
constexpr std::int64_t kFileTime = 1709616600;

// A UTF-8 path as the core takes it.
std::string CorePath(const std::string& utf8) { return Cp932(std::u8string(utf8.begin(), utf8.end())); }

fs::path Host(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

Bytes ReadBytes(const std::string& utf8) {
    std::ifstream in(Host(utf8), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

class ArcTest : public ApplyTest {
protected:
    ChildResult Arc(const std::vector<std::string>& arguments) const {
        std::vector<std::string> all{"arc"};
        all.insert(all.end(), arguments.begin(), arguments.end());
        return RunChild(ORVPATCH_PROGRAM, all, DefaultOptions(), RootPath("work/"));
    }
    std::string Source(const std::string& relative = "") const { return RootPath("source/" + relative); }
    std::string Target(const std::string& relative = "") const { return RootPath("target/" + relative); }
    std::string ArchivePath() const { return RootPath("made.arc"); }

    void WriteSource(const std::string& relative, const std::string& bytes) const {
        fs::create_directories(Host(Source(relative)).parent_path());
        std::ofstream(Host(Source(relative)), std::ios::binary) << bytes;
        fs::last_write_time(Host(Source(relative)),
                            std::chrono::file_clock::from_sys(std::chrono::sys_seconds(std::chrono::seconds(kFileTime))));
    }
};

struct LayoutCase {
    std::string layout;
    std::vector<std::string> options;
    Json revision;
    std::string tag;
};

void PrintTo(const LayoutCase& c, std::ostream* out) { *out << c.layout; }

class ArcRoundTrip : public ArcTest, public testing::WithParamInterface<LayoutCase> {};

TEST_P(ArcRoundTrip, CreateListExtractGiveTheFilesBack) {
    const std::vector<std::pair<std::string, std::string>> files = {
        {"readme.txt", "read me"}, {Utf8(u8"画像/背景01.bmp"), "BM bg"}, {"empty.dat", ""}};
    for (const auto& [path, bytes] : files) WriteSource(path, bytes);
    std::vector<std::string> create{"create", ArchivePath(), "--layout", GetParam().layout, "--kind", "7", "-C", Source()};
    create.insert(create.begin() + 4, GetParam().options.begin(), GetParam().options.end());
    for (const auto& file : files) create.push_back(file.first);
    ASSERT_EQ(Arc(create).exitCode, 0);

    ChildResult list = Arc({"list", "--json", ArchivePath()});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    Json archive = Json::parse(list.out);
    EXPECT_EQ(archive["layout"], GetParam().layout);
    EXPECT_EQ(archive["revision"], GetParam().revision);
    EXPECT_EQ(archive["tag"], GetParam().tag);
    ASSERT_EQ(archive["entries"].size(), files.size());
    EXPECT_EQ(archive["entries"][1], Json({{"index", 1}, {"kind", 7}, {"time", "2024-03-05T14:30:00"},
                                           {"size", 5}, {"name", Utf8(u8"画像\\背景01.bmp")}}));

    ChildResult extract = Arc({"extract", ArchivePath(), "-C", Target()});
    ASSERT_EQ(extract.exitCode, 0) << extract.err;
    EXPECT_EQ(ReadFolderState(Target()), ReadFolderState(Source()));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ArcRoundTrip,
    testing::Values(LayoutCase{"LINK3", {"--tag", "L3"}, nullptr, "L3"},
                    LayoutCase{"LINK4", {}, 1, ""},
                    LayoutCase{"LINK5", {"--revision", "65535", "--tag", "SND"}, 65535, "SND"},
                    LayoutCase{"LINK6", {"--revision", "0", "--tag", Utf8(u8"グラフィック")}, 0, Utf8(u8"グラフィック")}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.layout; });

TEST_F(ArcTest, CreateWritesTheLayoutsByteForByte) {
    WriteSource("a.txt", "xyz");
    WriteSource(Utf8(u8"café.txt"), "");
    ASSERT_EQ(Arc({"create", ArchivePath(), "--layout", "LINK4", "--revision", "2", "--tag", "AB", "-C", Source(), "a.txt"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(ArchivePath()), (Bytes{'L', 'I', 'N', 'K', '4', 'A', 'B', 0, 2, 0,  // magic, tag(3), revision
                                               0x18, 0, 0, 0, 0, 0,                          // record length 16+5+3, kind
                                               0xE8, 0x07, 3, 5, 14, 30, 0,                  // 2024-03-05 14:30:00
                                               5, 0, 0, 'a', '.', 't', 'x', 't',             // n, reserved, name
                                               'x', 'y', 'z', 0, 0, 0, 0}));                 // data, end marker
    // A "LINK6" name keeps characters that code page 932 lacks: é is stored as E9 00.
    ASSERT_EQ(Arc({"create", ArchivePath(), "--layout", "LINK6", "--tag", "t", "-C", Source(), Utf8(u8"café.txt")}).exitCode, 0);
    EXPECT_EQ(ReadBytes(ArchivePath()), (Bytes{'L', 'I', 'N', 'K', '6', 1, 0, 1, 't',       // magic, revision, t, tag
                                               0x1F, 0, 0, 0, 0, 0,                          // record length 15+16+0, kind
                                               0xE8, 0x07, 3, 5, 14, 30, 0, 16, 0,           // time, n
                                               'c', 0, 'a', 0, 'f', 0, 0xE9, 0, '.', 0, 't', 0, 'x', 0, 't', 0,
                                               0, 0, 0, 0}));
}

// A folder stands for the files below it, sorted by path; the layout may be given in any case;
// a folder without files makes no archive.
TEST_F(ArcTest, CreateTakesFoldersRecursivelyAndRefusesAnArchiveOfNothing) {
    for (const char* file : {"z.txt", "sub/b.txt", "sub/deeper/a.txt", "sub/a.txt"}) WriteSource(file, "x");
    fs::create_directories(Host(Source("none/inner")));
    ASSERT_EQ(Arc({"create", ArchivePath(), "--layout", "link6", "-C", Source(), "z.txt", "sub"}).exitCode, 0);
    Json archive = Json::parse(Arc({"list", "--json", ArchivePath()}).out);
    EXPECT_EQ(archive["layout"], "LINK6");
    std::vector<std::string> names;
    for (const Json& entry : archive["entries"]) names.push_back(entry["name"]);
    EXPECT_EQ(names, (std::vector<std::string>{"z.txt", "sub\\a.txt", "sub\\b.txt", "sub\\deeper\\a.txt"}));

    fs::remove(Host(ArchivePath()));
    ChildResult empty = Arc({"create", ArchivePath(), "--layout", "LINK4", "-C", Source(), "none"});
    EXPECT_EQ(empty.exitCode, 1) << empty.err;
    EXPECT_NE(empty.err.find("nothing to put in the archive"), std::string::npos) << empty.err;
    EXPECT_FALSE(fs::exists(Host(ArchivePath())));
}

// Archives made with the core's writer, whose names `arc extract` must not follow.
struct UnsafeName {
    const char* what;
    std::u8string name;
};

void PrintTo(const UnsafeName& c, std::ostream* out) { *out << c.what; }

class ArcExtractRefuses : public ArcTest, public testing::WithParamInterface<UnsafeName> {};

TEST_P(ArcExtractRefuses, NamesLeadingOutOfTheFolderAndWritesNothing) {
    Tools::LinkEntry first{"first.txt", 0, 2024, 1, 1, 12, 0, 0, {'1'}};
    Tools::LinkEntry unsafe{Cp932(GetParam().name), 0, 2024, 1, 1, 12, 0, 0, {'!'}};
    Tools::WriteLinkArchive(CorePath(ArchivePath()), {"LINK4", "ARC", 1, {first, unsafe}});
    FolderState before = ReadFolderState(RootPath());

    ChildResult run = Arc({"extract", ArchivePath(), "-C", Target("deep/")});

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("entry 1 (" + Utf8(GetParam().name) + "): refused"), std::string::npos) << run.err;
    FolderState after = ReadFolderState(RootPath());
    after.erase("work/child-stderr.txt");
    after.erase("work/child-stdout.txt");
    EXPECT_EQ(after, before);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ArcExtractRefuses,
    testing::Values(UnsafeName{"parent", u8"..\\escape.txt"}, UnsafeName{"climbing back", u8"a\\..\\..\\escape.txt"},
                    UnsafeName{"slash parent", u8"../escape.txt"}, UnsafeName{"drive", u8"C:\\escape.txt"},
                    UnsafeName{"drive relative", u8"C:escape.txt"}, UnsafeName{"leading separator", u8"\\escape.txt"},
                    UnsafeName{"empty component", u8"a\\\\b.txt"}, UnsafeName{"folder only", u8"表\\"}),
    [](const testing::TestParamInfo<UnsafeName>& info) { return std::to_string(info.index); });

TEST_F(ArcTest, ExtractDoesNotWriteThroughALinkInTheFolder) {
    fs::create_directories(Host(RootPath("elsewhere")));
    fs::create_directories(Host(Target()));
    fs::create_directory_symlink(Host(RootPath("elsewhere")), Host(Target("sub")));
    Tools::LinkEntry entry{"sub\\x.txt", 0, 2024, 1, 1, 12, 0, 0, {'x'}};
    Tools::WriteLinkArchive(CorePath(ArchivePath()), {"LINK4", "ARC", 1, {entry}});

    ChildResult run = Arc({"extract", ArchivePath(), "-C", Target()});

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("entry 0 (sub\\x.txt): refused, a symbolic link"), std::string::npos) << run.err;
    EXPECT_TRUE(fs::is_empty(Host(RootPath("elsewhere"))));
}

TEST_F(ArcTest, ExtractLetsTheLastEntryOfANameWinAndSaysSo) {
    Tools::LinkEntry older{Cp932(u8"表\\a.txt"), 0, 2024, 1, 1, 12, 0, 0, {'o', 'l', 'd'}};
    Tools::LinkEntry newer{Cp932(u8"表/a.txt"), 0, 2024, 1, 1, 12, 0, 0, {'n', 'e', 'w'}};
    Tools::WriteLinkArchive(CorePath(ArchivePath()), {"LINK5", "ARC", 1, {older, newer}});

    ChildResult run = Arc({"extract", ArchivePath(), "-C", Target()});

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "orvpatch arc extract: entry 1 (" + Utf8(u8"表/a.txt") + ") replaces entry 0 of the same name\n");
    EXPECT_EQ(ReadBytes(Target(Utf8(u8"表/a.txt"))), (Bytes{'n', 'e', 'w'}));
}

// What a layout cannot hold is refused before anything is written: usage mistakes with 2,
// files that cannot become entries with 1.
struct CreateRefusal {
    const char* what;
    std::vector<std::string> options;
    std::string file;
    int exitCode;
};

void PrintTo(const CreateRefusal& c, std::ostream* out) { *out << c.what; }

// 256 bytes as an entry name (folder, separator, file): one more than the narrow layouts hold.
const std::string kLongName = std::string(200, 'n') + "/" + std::string(55, 'm');

class ArcCreateRefuses : public ArcTest, public testing::WithParamInterface<CreateRefusal> {};

TEST_P(ArcCreateRefuses, WhatTheLayoutCannotHold) {
    WriteSource("a.txt", "a");
    WriteSource(Utf8(u8"café.txt"), "c");
    WriteSource(kLongName, "long");
    std::vector<std::string> arguments{"create", ArchivePath()};
    arguments.insert(arguments.end(), GetParam().options.begin(), GetParam().options.end());
    arguments.insert(arguments.end(), {"-C", Source(), GetParam().file});

    ChildResult run = Arc(arguments);

    EXPECT_EQ(run.exitCode, GetParam().exitCode) << run.err;
    EXPECT_TRUE(run.err.starts_with("orvpatch arc create: ")) << run.err;
    EXPECT_FALSE(fs::exists(Host(ArchivePath())));
    EXPECT_EQ(TemporaryFiles(ReadFolderState(RootPath())), std::vector<std::string>());
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, ArcCreateRefuses,
    testing::Values(
        CreateRefusal{"no layout", {}, "a.txt", 2},
        CreateRefusal{"unknown layout", {"--layout", "LINK7"}, "a.txt", 2},
        CreateRefusal{"narrow tag over 3 bytes", {"--layout", "LINK5", "--tag", "ABCD"}, "a.txt", 2},
        CreateRefusal{"LINK6 tag over 255 bytes", {"--layout", "LINK6", "--tag", std::string(256, 't')}, "a.txt", 2},
        CreateRefusal{"tag outside code page 932", {"--layout", "LINK6", "--tag", Utf8(u8"é")}, "a.txt", 2},
        CreateRefusal{"revision in LINK3", {"--layout", "LINK3", "--revision", "1"}, "a.txt", 2},
        CreateRefusal{"revision past 16 bits", {"--layout", "LINK4", "--revision", "65536"}, "a.txt", 2},
        CreateRefusal{"narrow name outside code page 932", {"--layout", "LINK4"}, Utf8(u8"café.txt"), 1},
        CreateRefusal{"narrow name over 255 bytes", {"--layout", "LINK3"}, kLongName, 1},
        CreateRefusal{"name leading out", {"--layout", "LINK6"}, "../a.txt", 1},
        CreateRefusal{"missing file", {"--layout", "LINK6"}, "missing.txt", 1}),
    [](const testing::TestParamInfo<CreateRefusal>& info) { return std::to_string(info.index); });

TEST_F(ArcTest, UsageMistakesExitWithTwoAndTheUsage) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "usage: orvpatch arc extract ARCHIVE -C DIR\n"},
        {{"unpack", "x.arc"}, "usage: orvpatch arc list ARCHIVE [--json]\n"},
        {{"extract", "x.arc"}, "usage: orvpatch arc extract ARCHIVE -C DIR\n"},
        {{"list", "--json", "--json", "x.arc"}, "usage: orvpatch arc list ARCHIVE [--json]\n"},
        {{"create", "x.arc", "--layout", "LINK4", "--kind", "-1", "-C", "."}, "usage: orvpatch arc create "}};
    for (const auto& [arguments, usage] : cases) {
        ChildResult run = Arc(arguments);
        EXPECT_EQ(run.exitCode, 2) << run.err;
        EXPECT_NE(run.err.find(usage), std::string::npos) << run.err;
    }
}

TEST_F(ArcTest, ListShowsWhatPrecedesTheDamage) {
    Tools::LinkEntry entry{"a.txt", 3, 2024, 3, 5, 14, 30, 0, {'a', 'b'}};
    Tools::WriteLinkArchive(CorePath(ArchivePath()), {"LINK3", std::string("AR\0", 3), 0, {entry, entry}});
    fs::resize_file(Host(ArchivePath()), fs::file_size(Host(ArchivePath())) - 5);

    ChildResult run = Arc({"list", ArchivePath()});

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "LINK3 revision - tag \"AR\"\n"
                       "    3  2024-03-05 14:30:00           2  a.txt\n"
                       "    3  2024-03-05 14:30:00           2  a.txt\n");
    EXPECT_EQ(run.err, "orvpatch arc list: the data of entry 1 runs past the end of the archive\n");
}

}  // namespace
}  // namespace Orvane::Test
