// Whole runs of `orvpatch apply` that complete: every kind of record against a real folder.
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "apply_fixture.h"
#include "apply_texts.h"
#include "patch_maker.h"
#include "support/text.h"

namespace Orvane::Test {
namespace {

using Tools::LinkArchive;
using Tools::LinkEntry;
namespace Text = ApplyText;

constexpr int kManyCopies = 40;

LinkEntry Entry(const std::u8string& name, const std::string& bytes, std::uint16_t kind = 0) {
    LinkEntry entry;
    entry.name = Cp932(name);
    entry.kind = kind;
    entry.data.assign(bytes.begin(), bytes.end());
    return entry;
}

// The entry an added payload becomes: its name, kind, last-write stamp and bytes.
LinkEntry AddedEntry(const PayloadDescription& payload) {
    LinkEntry entry;
    entry.name = payload.name;
    entry.kind = payload.kind;
    entry.year = payload.modified.year;
    entry.month = payload.modified.month;
    entry.day = payload.modified.day;
    entry.hour = payload.modified.hour;
    entry.minute = payload.modified.minute;
    entry.second = payload.modified.second;
    entry.data = payload.data;
    return entry;
}

std::string ManyName(int i) { return "file" + std::to_string(100 + i) + ".dat"; }

class ApplyCompletes : public ApplyTest {
protected:
    void SetUp() override {
        WriteGameFile("readme.txt", "version 1.0");
        WriteGameFile("old_intro.dat", "intro");
        WriteGameArchive("data/graphic.arc", graphic_);
        WriteGameArchive("data/script.arc", script_);
        WriteGameArchive("data/sound.arc", sound_);
        WritePatch(Description());
    }

    ContainerDescription Description() const {
        ContainerDescription d;
        d.title = Cp932(u8"デモ修正");
        d.registryKey = "Software\\Orvane\\Demo";
        d.payloads = {Payload("readme.txt", "version 1.1"),
                      Payload(Cp932(u8"修正履歴.txt"), "1.1: fixes"),
                      newTitle_, newChapter2_, chapter3_};
        d.records = {CopyRecord{"", 0}, CopyRecord{Cp932(u8"doc\\新規\\"), 1}};
        for (int i = 0; i < kManyCopies; ++i) {
            d.payloads.push_back(Payload(ManyName(i), std::string(i, 'x')));
            d.records.push_back(CopyRecord{"many\\", static_cast<std::uint16_t>(d.payloads.size() - 1)});
        }
        d.records.push_back(DeleteRecord{"old_intro.dat"});
        d.records.push_back(DeleteRecord{"not_there.dat"});
        d.records.push_back(ArchiveRecord{"data\\graphic.arc", 2, {{1, Cp932(u8"タイトル.bmp")}}, {{0, 2}}});
        // Another case than on the disk, as patches for Windows games often have.
        d.records.push_back(ArchiveRecord{"Data\\Script.arc", 2, {{1, Cp932(u8"第二章.txt")}}, {{0, 3}, {0, 4}}});
        d.records.push_back(ArchiveRecord{"data\\sound.arc", 3, {}, {{0, 0}}});
        return d;
    }

    std::string ExpectedProgress(bool secondRun) const {
        std::string lines = Text::Copying("readme.txt") + Text::Copying(Utf8(u8"修正履歴.txt"));
        for (int i = 0; i < kManyCopies; ++i) lines += Text::Copying(ManyName(i));
        lines += Text::Deleting("old_intro.dat") + Text::Deleting("not_there.dat");
        lines += Text::Updating("data\\graphic.arc");
        if (!secondRun) lines += Text::Replacing("data\\graphic.arc");
        lines += Text::Updating("Data\\Script.arc");
        if (!secondRun) lines += Text::Replacing("Data\\Script.arc");
        return lines + Text::Updating("data\\sound.arc");
    }

    PayloadDescription newTitle_ = [] {
        PayloadDescription p = Payload(Cp932(u8"タイトル.bmp"), "BM new title", {2024, 4, 1, 9, 15, 30});
        p.kind = 3;
        return p;
    }();
    PayloadDescription newChapter2_ = Payload(Cp932(u8"第二章.txt"), "chapter 2, fixed");
    PayloadDescription chapter3_ = Payload(Cp932(u8"第三章.txt"), "chapter 3");
    LinkArchive graphic_{"LINK6", "GRAPHIC", 1,
                         {Entry(u8"背景01.bmp", "BM bg"), Entry(u8"タイトル.bmp", "BM old title"),
                          Entry(u8"立ち絵.bmp", "BM figure", 7)}};
    LinkArchive script_{"LINK4", "SCR", 1,
                        {Entry(u8"第一章.txt", "chapter 1"), Entry(u8"第二章.txt", "chapter 2")}};
    LinkArchive sound_{"LINK5", "SND", 3, {Entry(u8"bgm.ogg", "ogg")}};
};

TEST_F(ApplyCompletes, AppliesEveryRecordInOrder) {
    FolderState before = GameState();
    ChildResult run = ApplyToGame();

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, Text::kCompleted + "\n");
    EXPECT_EQ(run.err, ExpectedProgress(false));

    FolderState after = GameState();
    EXPECT_EQ(after["readme.txt"].bytes, std::vector<std::uint8_t>({'v', 'e', 'r', 's', 'i', 'o', 'n', ' ', '1', '.', '1'}));
    EXPECT_EQ(after["readme.txt"].modified, ChildEpoch(kPayloadTime)) << "payload times are local";
    EXPECT_TRUE(after.contains(Utf8(u8"doc/新規/修正履歴.txt")));
    for (int i = 0; i < kManyCopies; ++i) EXPECT_EQ(after["many/" + ManyName(i)].bytes.size(), i);
    EXPECT_FALSE(after.contains("old_intro.dat"));
    EXPECT_EQ(after["data/sound.arc"], before["data/sound.arc"]) << "already at its revision";
    EXPECT_FALSE(after.contains("data/Script.arc")) << "the file on the disk keeps its name";
    EXPECT_EQ(TemporaryFiles(after), std::vector<std::string>());
    EXPECT_EQ(ReadFolderState(RootPath("cwd/")), FolderState());

    LinkArchive graphic = graphic_;
    graphic.revision = 2;
    graphic.entries = {graphic_.entries[0], graphic_.entries[2], AddedEntry(newTitle_)};
    EXPECT_EQ(ReadGameArchive("data/graphic.arc"), graphic);
    LinkArchive script = script_;
    script.revision = 2;
    script.entries = {script_.entries[0], AddedEntry(newChapter2_), AddedEntry(chapter3_)};
    EXPECT_EQ(ReadGameArchive("data/script.arc"), script);
}

TEST_F(ApplyCompletes, ChangesNothingWhenRunAgain) {
    ASSERT_EQ(ApplyToGame().exitCode, 0);
    FolderState applied = GameState();

    ChildResult again = ApplyToGame();

    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(again.out, Text::kCompleted + "\n");
    EXPECT_EQ(again.err, ExpectedProgress(true));
    EXPECT_EQ(GameState(), applied);
}

class ApplyShortScripts : public ApplyTest {};

TEST_F(ApplyShortScripts, AnEmptyScriptCompletesWithoutChanges) {
    WriteGameFile("readme.txt", "version 1.0");
    WritePatch(ContainerDescription{1, "t", 0, "Software\\Orvane\\Demo", {}, {}});
    FolderState before = GameState();

    ChildResult run = ApplyToGame();

    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, Text::kCompleted + "\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(GameState(), before);
}

// Records are read one at a time: what came before a damaged record stays applied.
TEST_F(ApplyShortScripts, AMalformedThirdRecordStopsAfterTwoCommands) {
    WriteGameFile("old.dat", "old");
    ContainerDescription d{1, "t", 0, "Software\\Orvane\\Demo", {}, {Payload("new.txt", "new")}};
    std::vector<std::uint8_t> records = RecordBytes(CopyRecord{"", 0});
    std::vector<std::uint8_t> second = RecordBytes(DeleteRecord{"old.dat"});
    records.insert(records.end(), second.begin(), second.end());
    std::vector<std::uint8_t> damaged = RecordBytes(DeleteRecord{"later.dat"});
    damaged.resize(damaged.size() - 4);  // the path's text runs past the end of the script
    records.insert(records.end(), damaged.begin(), damaged.end());
    WritePatchWithScript(d, records);

    ChildResult run = ApplyToGame();

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, Text::Copying("new.txt") + Text::Deleting("old.dat") +
                           Text::kScriptParseFailed + "\n");
    FolderState after = GameState();
    EXPECT_TRUE(after.contains("new.txt"));
    EXPECT_FALSE(after.contains("old.dat"));
}

// --log writes the log the Windows program's /LOG writes, a failure's text as last line.
TEST_F(ApplyTest, LogNamesWhatEachCommandDid) {
    WriteGameFile("old.dat", "old");
    WritePatch(ContainerDescription{1, Cp932(u8"ログ"), 0, "Software\\Orvane\\Demo",
                                    {CopyRecord{"", 0}, DeleteRecord{"old.dat"},
                                     DeleteRecord{"old.dat"}, ArchiveRecord{"none.arc", 2, {}, {}}},
                                    {Payload("new.txt", "new")}});

    ChildResult run = Apply({"--folder", GamePath(), "--log=" + RootPath("run.log"), PatchPath()});

    EXPECT_EQ(run.exitCode, 1);
    std::ifstream log(RootPath("run.log"), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, Utf8(u8"patch: ログ\nfolder: ") + GamePath() +
                        "\ncopied: new.txt\ndeleted: old.dat\nabsent: old.dat\nfailed: " +
                        Utf8(u8"ARCファイルのOpenに失敗しました！\n"));

    // A log that cannot be written (a full disk) does not stop the run, but is said to lack lines.
    WriteGameFile("old.dat", "old");
    run = Apply({"--folder", GamePath(), "--log", "/dev/full", PatchPath()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(GameState().contains("old.dat"));
    EXPECT_NE(run.err.find("orvpatch apply: warning: the log lacks lines"), std::string::npos)
        << run.err;
}

// A folder ending in 表 (95 5C) is patched inside; "表a.bin" beside it stays as it is.
TEST_F(ApplyTest, AFolderEndingInHyoIsPatchedInside) {
    WriteGameFile(Utf8(u8"表/a.bin"), "inside");
    WriteGameFile(Utf8(u8"表a.bin"), "beside");
    WritePatch(ContainerDescription{1, "t", 0, "Software\\Orvane\\Demo",
                                    {DeleteRecord{"a.bin"}, CopyRecord{"doc\\", 0}},
                                    {Payload("x.txt", "new")}});

    ChildResult run = Apply({"--folder", GamePath(Utf8(u8"表")), PatchPath()});

    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::vector<std::string> paths;
    for (const auto& [path, entry] : GameState()) paths.push_back(path);
    EXPECT_EQ(paths, (std::vector<std::string>{Utf8(u8"表"), Utf8(u8"表/doc"),
                                               Utf8(u8"表/doc/x.txt"), Utf8(u8"表a.bin")}));
}

}  // namespace
}  // namespace Orvane::Test
