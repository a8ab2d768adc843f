// `orvpatch apply --dry-run`: the plan of a run on a fresh, a half-patched and a fully patched
// installation, the failures it already knows, and that the run then does what it said.
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "apply_fixture.h"
#include "apply_texts.h"
#include "support/archive_builder.h"
#include "patch_maker.h"
#include "support/text.h"

namespace Orvane::Test {
namespace {

namespace Text = ApplyText;
using Json = nlohmann::json;
using Tools::LinkArchive;
using Tools::LinkEntry;

constexpr std::int64_t kNewerTime = 1893456000;  // 2030-01-01, after every payload

// One record of a plan as a test expects it: "action" or "action:failure", and for archives
// the revisions and counts (-1: not in the record).
struct Planned {
    std::string action;
    std::string failure;
    int from = -1, to = -1, removed = -1, added = -1;
};

Planned Archive(const std::string& action, int from, int to, int removed = -1, int added = -1) {
    return Planned{action, "", from, to, removed, added};
}

Planned Failed(const std::string& failure) { return Planned{"fail", failure}; }

LinkEntry Entry(const std::u8string& name, const std::string& bytes) {
    LinkEntry entry;
    entry.name = Cp932(name);
    entry.data.assign(bytes.begin(), bytes.end());
    return entry;
}

std::vector<std::uint8_t> ArchiveFileBytes(std::uint16_t revision, const std::string& name) {
    return ArchiveBytes::Narrow("LINK4", "ARC", revision).Entry({name, {'o', 'l', 'd'}}).End().Get();
}

class ApplyDryRun : public ApplyTest {
protected:
    ChildResult DryRun(bool json = true) const {
        std::vector<std::string> arguments{"--dry-run", "--folder", GamePath(), PatchPath()};
        if (json) arguments.insert(arguments.begin() + 1, "--json");
        return Apply(arguments);
    }

    // Runs the dry run and checks its plan against the expected records and outcome.
    void ExpectPlan(const std::vector<Planned>& expected, const std::string& failure = "") const {
        FolderState before = GameState();
        ChildResult run = DryRun();
        EXPECT_EQ(run.exitCode, failure.empty() ? 0 : 1) << run.err;
        EXPECT_EQ(GameState(), before) << "a dry run writes nothing";
        Json plan = Json::parse(run.out);
        EXPECT_EQ(plan["completes"], failure.empty());
        EXPECT_EQ(plan["failure"], failure.empty() ? Json(nullptr) : Json(failure));
        ASSERT_EQ(plan["records"].size(), expected.size()) << run.out;
        for (std::size_t i = 0; i < expected.size(); ++i) ExpectRecord(plan["records"][i], i, expected[i]);
    }

    static void ExpectRecord(const Json& record, std::size_t index, const Planned& expected) {
        SCOPED_TRACE("record " + std::to_string(index));
        EXPECT_EQ(record["index"], index);
        EXPECT_EQ(record["action"], expected.action);
        EXPECT_EQ(record["failure"], expected.failure.empty() ? Json(nullptr) : Json(expected.failure));
        const std::pair<const char*, int> numbers[] = {{"from", expected.from}, {"to", expected.to},
                                                       {"removed", expected.removed}, {"added", expected.added}};
        for (const auto& [key, value] : numbers) {
            if (value < 0) EXPECT_FALSE(record.contains(key)) << key;
            else EXPECT_EQ(record.value(key, -1), value) << key;
        }
    }

    // The run's own outcome: its last line, or the completion text.
    std::string RunOutcome() const {
        ChildResult run = ApplyToGame();
        if (run.exitCode == 0) return "";
        std::string err = run.err.substr(0, run.err.size() - 1);
        return err.substr(err.rfind('\n') + 1);
    }
};

// A patch of every kind of record, and an installation it has not touched yet.
class DryRunStages : public ApplyDryRun {
protected:
    void SetUp() override {
        WriteGameFile("readme.txt", "version 1.0");
        WriteGameFile("old_intro.dat", "intro");
        WriteGameArchive("data/graphic.arc", {"LINK6", "GRAPHIC", 1, {Entry(u8"背景.bmp", "bg"), Entry(u8"タイトル.bmp", "old")}});
        WriteGameArchive("data/script.arc", {"LINK4", "SCR", 1, {Entry(u8"第一章.txt", "1"), Entry(u8"第二章.txt", "2")}});
        WritePatch(Patch(records_.size()));
    }

    // The patch with its first `count` records.
    ContainerDescription Patch(std::size_t count) const {
        ContainerDescription d{1, "t", 0, "Software\\Orvane\\Demo", {}, payloads_};
        d.records.assign(records_.begin(), records_.begin() + count);
        return d;
    }

    std::vector<PayloadDescription> payloads_ = {
        Payload("readme.txt", "version 1.1"), Payload(Cp932(u8"修正履歴.txt"), "fixes"),
        Payload(Cp932(u8"タイトル.bmp"), "new"), Payload(Cp932(u8"第二章.txt"), "2 fixed"),
        Payload(Cp932(u8"第三章.txt"), "3")};
    std::vector<ScriptRecord> records_ = {
        CopyRecord{"", 0}, CopyRecord{Cp932(u8"doc\\新規\\"), 1}, DeleteRecord{"old_intro.dat"},
        ArchiveRecord{"data\\graphic.arc", 2, {{1, Cp932(u8"タイトル.bmp")}}, {{0, 2}}},
        ArchiveRecord{"Data\\Script.arc", 2, {{1, Cp932(u8"第二章.txt")}}, {{0, 3}, {0, 4}}}};
};

TEST_F(DryRunStages, FreshInstallationGetsEveryRecord) {
    ExpectPlan({{"copy"}, {"copy"}, {"delete"}, Archive("rebuild", 1, 2, 1, 1), Archive("rebuild", 1, 2, 1, 2)});
    EXPECT_EQ(RunOutcome(), "");
}

TEST_F(DryRunStages, HalfPatchedInstallationGetsTheRest) {
    ContainerDescription firstHalf = Patch(4);
    WritePatch(firstHalf);
    ASSERT_EQ(RunOutcome(), "");
    WritePatch(Patch(records_.size()));

    ExpectPlan({{"skip-newer"}, {"skip-newer"}, {"absent"}, Archive("skip-revision", 2, 2), Archive("rebuild", 1, 2, 1, 2)});
}

TEST_F(DryRunStages, FullyPatchedInstallationGetsNothing) {
    ASSERT_EQ(RunOutcome(), "");

    ExpectPlan({{"skip-newer"}, {"skip-newer"}, {"absent"}, Archive("skip-revision", 2, 2), Archive("skip-revision", 2, 2)});
}

TEST_F(DryRunStages, TextPlanHasALinePerRecordAndTheOutcome) {
    ChildResult run = DryRun(false);

    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::smatch space;
    ASSERT_TRUE(std::regex_search(run.out, space, std::regex("space: [0-9]+ bytes needed, [0-9]+ bytes free\n"))) << run.out;
    EXPECT_EQ(space.prefix().str() + space.suffix().str(), "0 copy readme.txt: copy\n" + Utf8(u8"1 copy doc\\新規\\修正履歴.txt: copy\n") +
                           "2 delete old_intro.dat: delete\n"
                           "3 archive data\\graphic.arc: rebuild, revision 1 to 2, 1 removed, 1 added\n"
                           "4 archive Data\\Script.arc: rebuild, revision 1 to 2, 1 removed, 2 added\n"
                           "the run would complete\n");
}

// An installation where the run would fail, or where earlier records change what a later one
// finds; the plan, then the real run ending as the plan said.
struct PlanCase {
    const char* what;
    std::vector<std::pair<std::string, std::string>> files;  // path, bytes (UTF-8 path)
    std::vector<std::string> readOnly;
    std::vector<std::string> newer;  // stamped after the payloads
    std::vector<ScriptRecord> records;
    std::vector<Planned> expected;
    std::string failure;
};

void PrintTo(const PlanCase& c, std::ostream* out) { *out << c.what; }

class DryRunCases : public ApplyDryRun, public testing::WithParamInterface<PlanCase> {
protected:
    void SetUp() override {
        for (const auto& [path, bytes] : GetParam().files) WriteGameFile(path, bytes);
        for (const std::string& path : GetParam().newer) WriteGameFile(path, "newer", kNewerTime);
        for (const std::string& path : GetParam().readOnly) MakeGameFileReadOnly(path);
        std::vector<std::uint8_t> archive = ArchiveFileBytes(1, "a.bmp");
        std::vector<std::uint8_t> records;  // as they are: payload indexes are not checked
        for (const ScriptRecord& record : GetParam().records) {
            std::vector<std::uint8_t> bytes = RecordBytes(record);
            records.insert(records.end(), bytes.begin(), bytes.end());
        }
        WritePatchWithScript(ContainerDescription{1, "t", 0, "Software\\Orvane\\Demo", {},
                                                  {Payload("a.txt", "new a"), Payload("a.bmp", "new bmp"),
                                                   Payload("data.arc", std::string(archive.begin(), archive.end())),
                                                   Payload(Cp932(u8"ＡＢ.txt"), "ab"),
                                                   Payload(Cp932(u8"ＡＢ.arc"), std::string(archive.begin(), archive.end())),
                                                   Payload("SUB", "not a folder")}},
                             records);
    }
};

TEST_P(DryRunCases, PlansWhatTheRunThenDoes) {
    ExpectPlan(GetParam().expected, GetParam().failure);
    EXPECT_EQ(RunOutcome(), GetParam().failure);
}

const std::string kLink4(reinterpret_cast<const char*>(ArchiveFileBytes(1, "a.bmp").data()),
                         ArchiveFileBytes(1, "a.bmp").size());
const ArchiveRecord kUpdate{"data.arc", 2, {{1, "a.bmp"}}, {{0, 1}}};

INSTANTIATE_TEST_SUITE_P(
    Installations, DryRunCases,
    testing::Values(
        PlanCase{"archive missing", {}, {}, {}, {kUpdate}, {Failed(Text::kArchiveOpenFailed)}, Text::kArchiveOpenFailed},
        PlanCase{"archive read-only", {{"data.arc", kLink4}}, {"data.arc"}, {}, {kUpdate},
                 {{"fail", Text::kArchiveReplaceFailed, 1, 2, 1, 1}}, Text::kArchiveReplaceFailed},
        PlanCase{"archive header cut short", {{"data.arc", "LINK4AR"}}, {}, {}, {kUpdate},
                 {Failed(Text::kArchiveHeaderFailed)}, Text::kArchiveHeaderFailed},
        PlanCase{"entry data cut short", {{"data.arc", kLink4.substr(0, kLink4.size() - 5)}}, {}, {}, {ArchiveRecord{"data.arc", 2, {}, {}}},
                 {{"fail", Text::kEntryReadFailed, 1, 2}}, Text::kEntryReadFailed},
        PlanCase{"archive already at its revision", {{"data.arc", kLink4}}, {}, {}, {ArchiveRecord{"data.arc", 1, {}, {}}},
                 {Archive("skip-revision", 1, 1)}, ""},
        PlanCase{"path outside the folder", {}, {}, {}, {DeleteRecord{"..\\victim.txt"}}, {Failed(Text::kUnsafePath)}, Text::kUnsafePath},
        PlanCase{"read-only destination", {{"a.txt", "old"}}, {"a.txt"}, {}, {CopyRecord{"", 0}},
                 {Failed(Text::kCopyFailed)}, Text::kCopyFailed},
        PlanCase{"folder that is a file", {{"sub", "file"}}, {}, {}, {CopyRecord{"sub\\", 0}}, {Failed(Text::kCopyFailed)}, Text::kCopyFailed},
        PlanCase{"records behind a failure are listed", {{"ro.dat", "keep"}}, {"ro.dat"}, {},
                 {DeleteRecord{"ro.dat"}, CopyRecord{"", 0}, DeleteRecord{"gone.dat"}},
                 {Failed(Text::kDeleteFailed), {"copy"}, {"absent"}}, Text::kDeleteFailed},
        PlanCase{"copy of an archive, then its update", {}, {}, {}, {CopyRecord{"", 2}, kUpdate},
                 {{"copy"}, Archive("rebuild", 1, 2, 1, 1)}, ""},
        PlanCase{"delete, then a copy of an older file", {}, {}, {"a.txt"},
                 {CopyRecord{"", 0}, DeleteRecord{"A.TXT"}, CopyRecord{"", 0}},
                 {{"skip-newer-differs"}, {"delete"}, {"copy"}}, ""},
        PlanCase{"delete, then an update of what is gone", {{"data.arc", kLink4}}, {}, {},
                 {DeleteRecord{"data.arc"}, kUpdate}, {{"delete"}, Failed(Text::kArchiveOpenFailed)}, Text::kArchiveOpenFailed},
        PlanCase{"two updates of one archive", {{"data.arc", kLink4}}, {}, {},
                 {kUpdate, ArchiveRecord{"data.arc", 3, {{2, "a.bmp"}, {2, "a.bmp"}}, {}}},
                 {Archive("rebuild", 1, 2, 1, 1), Archive("rebuild", 2, 3, 1, 0)}, ""},
        PlanCase{"full-width name in another case", {}, {}, {}, {CopyRecord{"", 3}, DeleteRecord{Cp932(u8"ａｂ.TXT")}},
                 {{"copy"}, {"delete"}}, ""},
        PlanCase{"full-width archive in another case", {}, {}, {}, {CopyRecord{"", 4}, ArchiveRecord{Cp932(u8"ａｂ.arc"), 2, {{1, "a.bmp"}}, {}}},
                 {{"copy"}, Archive("rebuild", 1, 2, 1, 0)}, ""},
        PlanCase{"payload named like a folder a copy made", {}, {}, {}, {CopyRecord{"sub\\", 0}, CopyRecord{"", 5}},
                 {{"copy"}, {"skip-newer-differs"}}, ""},
        PlanCase{"added payload missing", {{"data.arc", kLink4}}, {}, {}, {ArchiveRecord{"data.arc", 2, {}, {{0, 9}}}},
                 {{"fail", Text::kPayloadMissing, 1, 2, 0}}, Text::kPayloadMissing}),
    [](const testing::TestParamInfo<PlanCase>& info) { return std::to_string(info.index); });

// A game installed by copying: every file stamped after the patch was made. The executable
// still holds 1.0, the readme already the patch's bytes, and a folder stands where a file goes.
class NewerInstallation : public ApplyDryRun {
protected:
    void SetUp() override {
        WriteGameFile("game.exe", "1.0", kNewerTime);
        WriteGameFile("readme.txt", "readme 1.1", kNewerTime);
        WriteGameFile("Movie/intro.dat", "intro", kNewerTime);
        WritePatch(ContainerDescription{1, "t", 0, "Software\\Orvane\\Demo",
                                        {CopyRecord{"", 0}, CopyRecord{"", 1}, CopyRecord{"", 2}},
                                        {Payload("GAME.EXE", "1.1"), Payload("readme.txt", "readme 1.1"),
                                         Payload("movie", "m")}});
    }

    ChildResult ApplyWith(const std::vector<std::string>& options) const {
        std::vector<std::string> arguments = options;
        arguments.insert(arguments.end(), {"--folder", GamePath(), PatchPath()});
        return Apply(arguments);
    }
};

TEST_F(NewerInstallation, DryRunTellsAFileThatDiffersFromOneWithThePayloadsBytes) {
    ExpectPlan({{"skip-newer-differs"}, {"skip-newer"}, {"skip-newer-differs"}});

    ChildResult replacing = ApplyWith({"--dry-run", "--json", "--replace-newer"});
    EXPECT_EQ(replacing.exitCode, 0) << replacing.err;
    Json plan = Json::parse(replacing.out);
    ASSERT_EQ(plan["records"].size(), 3u);
    EXPECT_EQ(plan["records"][0]["action"], "copy");
    EXPECT_EQ(plan["records"][1]["action"], "skip-newer");
    EXPECT_EQ(plan["records"][2]["action"], "skip-newer-differs") << "a folder is never replaced";

    ChildResult text = DryRun(false);
    EXPECT_NE(text.out.find("0 copy GAME.EXE: skip-newer-differs\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("warning: files the run keeps as newer though they differ from the patch: 2 "
                            "(--replace-newer replaces them)\n"),
              std::string::npos)
        << text.out;
}

TEST_F(NewerInstallation, RunNamesEachFileItLeftThatDiffers) {
    FolderState before = GameState();

    ChildResult run = ApplyToGame();

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, Text::kCompleted + "\n");
    EXPECT_EQ(GameState(), before);
    const std::string kept = "orvpatch apply: warning: kept as newer than the patch's file, but differs from it: ";
    EXPECT_TRUE(run.err.ends_with(kept + "GAME.EXE\n" + kept + "movie\n" +
                                  "orvpatch apply: warning: the files above were left as the installation has "
                                  "them; --replace-newer replaces them with the patch's\n"))
        << run.err;
}

TEST_F(NewerInstallation, ReplaceNewerWritesTheFilesThatDiffer) {
    ChildResult run = ApplyWith({"--replace-newer"});

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err.find("differs from it: GAME.EXE"), std::string::npos) << run.err;
    EXPECT_TRUE(run.err.ends_with("differs from it: movie\n")) << "the folder stays: " << run.err;
    FolderState after = GameState();
    EXPECT_EQ(after["game.exe"].bytes, (std::vector<std::uint8_t>{'1', '.', '1'})) << "the name on the disk stays";
    EXPECT_EQ(after["game.exe"].modified, ChildEpoch(kPayloadTime));
    EXPECT_EQ(after["readme.txt"].modified, kNewerTime) << "a file with the payload's bytes is left";
    EXPECT_TRUE(after["Movie"].isFolder);
}

class DryRunSpace : public ApplyDryRun {
protected:
    // A "LINK4" archive of entries of almost 4 GiB each whose data are holes: terabytes by its
    // size, a few blocks on the disk.
    void WriteSparseArchive(const std::string& relative, int entries) const {
        constexpr std::uint32_t kDataSize = 0xF0000000;
        std::ofstream out(GamePath(relative), std::ios::binary);
        auto write = [&out](const Bytes& bytes) { out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size()); };
        write(ArchiveBytes::Narrow("LINK4", "ARC", 1).Get());
        for (int i = 0; i < entries; ++i) {
            EntryBytes entry{"e" + std::to_string(i)};
            entry.recordLength = static_cast<std::uint32_t>(16 + entry.name.size() + kDataSize);
            write(ArchiveBytes::Narrow("", "").Entry(entry).Get());  // the entry header alone
            out.seekp(kDataSize, std::ios::cur);
        }
        write(ArchiveBytes::Narrow("", "").End().Get());
    }
};

// Steps in order: the delete makes room for the first copy; the archive is copied, then rebuilt
// beside itself.
TEST_F(DryRunSpace, JsonGivesTheNeedAtTheFullestMomentAndTheFreeSpace) {
    WriteGameFile("old.dat", std::string(3000, 'o'));
    std::vector<std::uint8_t> archive = ArchiveFileBytes(1, "a.bmp");
    WritePatch(ContainerDescription{1, "t", 0, "Software\\Orvane\\Demo",
                                    {DeleteRecord{"old.dat"}, CopyRecord{"", 0}, CopyRecord{"", 1},
                                     ArchiveRecord{"data.arc", 2, {{1, "a.bmp"}}, {{0, 0}}}},
                                    {Payload("big.dat", std::string(5000, 'b')),
                                     Payload("data.arc", std::string(archive.begin(), archive.end()))}});

    Json plan = Json::parse(DryRun().out);
    ASSERT_EQ(RunOutcome(), "");

    auto rebuilt = std::filesystem::file_size(GamePath("data.arc"));
    EXPECT_EQ(plan["spaceNeeded"], 5000 - 3000 + archive.size() + rebuilt);
    ASSERT_TRUE(plan["spaceFree"].is_number_unsigned()) << plan.dump();
    EXPECT_GT(plan["spaceFree"], 0u);
    EXPECT_EQ(plan["spaceFits"], true);
}

TEST_F(DryRunSpace, TextWarnsWhenTheNeedPassesTheFreeSpace) {
    WriteSparseArchive("data.arc", 2400);
    WritePatch(ContainerDescription{1, "t", 0, "Software\\Orvane\\Demo", {ArchiveRecord{"data.arc", 2, {}, {}}}, {}});

    ChildResult run = DryRun(false);

    std::smatch space;
    ASSERT_TRUE(std::regex_search(run.out, space, std::regex("space: ([0-9]+) bytes needed, ([0-9]+) bytes free\n"))) << run.out;
    std::string needed = space[1], free = space[2];
    EXPECT_EQ(needed, std::to_string(std::filesystem::file_size(GamePath("data.arc"))));
    if (std::stoull(needed) <= std::stoull(free)) GTEST_SKIP() << "the disk has room even for this";
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(space.suffix().str(), "warning: the run needs " + needed + " bytes of disk space, but only " + free +
                                        " bytes are free\nthe run would complete\n");
}

class DryRunStops : public ApplyDryRun {};

TEST_F(DryRunStops, AtAScriptThatCannotBeParsedWithTheRecordsReadSoFar) {
    ContainerDescription d{1, "t", 0, "Software\\Orvane\\Demo", {}, {Payload("a.txt", "a")}};
    std::vector<std::uint8_t> records = RecordBytes(CopyRecord{"", 0});
    std::vector<std::uint8_t> damaged = RecordBytes(DeleteRecord{"later.dat"});
    records.insert(records.end(), damaged.begin(), damaged.end() - 4);
    WritePatchWithScript(d, records);

    ExpectPlan({{"copy"}}, Text::kScriptParseFailed);
}

TEST_F(DryRunStops, WithoutPatchDataAsTheRunDoes) {
    std::ofstream(PatchPath(), std::ios::binary) << "MZ";

    ExpectPlan({}, Text::kNoPatchData);
}

TEST_F(DryRunStops, JsonWithoutDryRunIsAUsageError) {
    WritePatch(ContainerDescription{1, "t", 0, "Software\\Orvane\\Demo", {}, {}});

    ChildResult run = Apply({"--json", "--folder", GamePath(), PatchPath()});

    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.ends_with("\n" + Text::kUsage + "\n")) << run.err;
}

}  // namespace
}  // namespace Orvane::Test
