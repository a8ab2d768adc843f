// Commands that fail: the text `orvpatch apply` prints, and an installation that is exactly as
// it was, without a temporary file left behind.
#include <filesystem>
#include <string>
#include <vector>

#include "apply_fixture.h"
#include "apply_texts.h"
#include "patch_maker.h"
#include "support/text.h"

namespace Orvane::Test {
namespace {

namespace fs = std::filesystem;
namespace Text = ApplyText;
using Tools::LinkArchive;

struct ArchiveFile {
    std::string path;  // UTF-8, relative to the installation
    LinkArchive archive;
    std::size_t cutBytes = 0;  // taken off the end after writing
};

struct FailureCase {
    const char* what;
    std::vector<std::pair<std::string, std::string>> files;  // relative path, bytes
    std::vector<ArchiveFile> archives;
    std::vector<std::string> folders;
    std::vector<std::string> readOnly;
    std::vector<ScriptRecord> records;
    std::vector<std::uint8_t> rawRecords;  // used instead of records when not empty
    std::string expectedErr;
};

void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.what; }

class ApplyFailure : public ApplyTest, public testing::WithParamInterface<FailureCase> {
protected:
    void SetUp() override {
        const FailureCase& c = GetParam();
        for (const auto& [path, bytes] : c.files) WriteGameFile(path, bytes);
        for (const ArchiveFile& file : c.archives) {
            WriteGameArchive(file.path, file.archive);
            std::string utf8 = GamePath(file.path);
            fs::path host(std::u8string(utf8.begin(), utf8.end()));
            fs::resize_file(host, fs::file_size(host) - file.cutBytes);
        }
        for (const std::string& folder : c.folders) fs::create_directories(GamePath(folder));
        for (const std::string& path : c.readOnly) MakeGameFileReadOnly(path);
        ContainerDescription d{1, "t", 0, "Software\\Orvane\\Demo", c.records,
                               {Payload("a.txt", "new a"), Payload(Cp932(u8"新.bmp"), "BM new")}};
        if (c.rawRecords.empty()) WritePatch(d);
        else WritePatchWithScript(d, c.rawRecords);
    }
};

TEST_P(ApplyFailure, ReportsItsTextAndLeavesTheInstallationAsItWas) {
    FolderState before = GameState();

    ChildResult run = ApplyToGame();

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, GetParam().expectedErr);
    FolderState after = GameState();
    EXPECT_EQ(TemporaryFiles(after), std::vector<std::string>());
    EXPECT_EQ(after, before);
}

LinkArchive Link4(std::uint32_t revision) {
    Tools::LinkEntry entry;
    entry.name = Cp932(u8"背景.bmp");
    entry.data = {'B', 'M', '1', '2'};
    return LinkArchive{"LINK4", "ARC", revision, {entry, entry}};
}

ArchiveRecord ArchiveUpdate(std::uint16_t payloadIndex = 1) {
    return ArchiveRecord{"data.arc", 2, {{1, Cp932(u8"背景.bmp")}}, {{0, payloadIndex}}};
}

std::vector<std::uint8_t> OutOfRangeAddition() { return RecordBytes(ArchiveUpdate(7)); }

INSTANTIATE_TEST_SUITE_P(
    Commands, ApplyFailure,
    testing::Values(
        FailureCase{"copy over a read-only file", {{"a.txt", "old a"}}, {}, {}, {"a.txt"},
                    {CopyRecord{"", 0}}, {}, Text::Copying("a.txt") + Text::kCopyFailed + "\n"},
        FailureCase{"copy into a folder that is a file", {{"sub", "a file"}}, {}, {}, {},
                    {CopyRecord{"sub\\", 0}}, {}, Text::Copying("a.txt") + Text::kCopyFailed + "\n"},
        FailureCase{"delete a read-only file", {{"ro.dat", "keep"}}, {}, {}, {"ro.dat"},
                    {DeleteRecord{"ro.dat"}}, {}, Text::Deleting("ro.dat") + Text::kDeleteFailed + "\n"},
        FailureCase{"delete a folder", {}, {}, {"folder"}, {}, {DeleteRecord{"folder"}}, {},
                    Text::Deleting("folder") + Text::kDeleteFailed + "\n"},
        FailureCase{"archive missing", {}, {}, {}, {}, {ArchiveUpdate()}, {},
                    Text::kArchiveOpenFailed + "\n"},
        FailureCase{"archive header cut short", {{"data.arc", "LINK4AR"}}, {}, {}, {},
                    {ArchiveUpdate()}, {},
                    Text::Updating("data.arc") + Text::kArchiveHeaderFailed + "\n"},
        FailureCase{"unknown archive magic", {{"data.arc", std::string("LINKXARC\0\0\0\0", 12)}},
                    {}, {}, {}, {ArchiveUpdate()}, {},
                    Text::Updating("data.arc") + Text::kSyntaxError + "\n"},
        FailureCase{"entry data cut short", {}, {{"data.arc", Link4(1), 5}}, {}, {},
                    {ArchiveUpdate()}, {},
                    Text::Updating("data.arc") + Text::kEntryReadFailed + "\n"},
        FailureCase{"archive without end marker", {}, {{"data.arc", Link4(1), 4}}, {}, {},
                    {ArchiveUpdate()}, {}, Text::Updating("data.arc") + Text::kSyntaxError + "\n"},
        FailureCase{"added payload missing", {}, {{"data.arc", Link4(1)}}, {}, {}, {},
                    OutOfRangeAddition(),
                    Text::Updating("data.arc") + Text::kPayloadMissing + "\n"},
        FailureCase{"read-only archive, refused before the rebuild", {}, {{"data.arc", Link4(1)}},
                    {}, {"data.arc"}, {ArchiveUpdate()}, {},
                    Text::Updating("data.arc") + Text::kArchiveReplaceFailed + "\n"}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::to_string(info.index); });

// Copies in a row reach the disk together, yet a failure keeps the order of the records: the
// copies before the failing one are in place, none after it, whether it fails while its
// payload is written or when it is swapped in.
TEST_F(ApplyTest, ACopyThatFailsAmongOthersLeavesThoseBeforeItDoneAndNoneAfter) {
    struct Case {
        const char* what;
        std::pair<std::string, std::string> file;
        std::vector<std::string> readOnly;
    };
    const Case cases[] = {{"refused at the swap", {"y/a.txt", "old a"}, {"y/a.txt"}},
                          {"folder is a file", {"y", "a file"}, {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(GamePath());
        WriteGameFile(c.file.first, c.file.second);
        for (const std::string& path : c.readOnly) MakeGameFileReadOnly(path);
        ContainerDescription d{1, "t", 0, "Software\\Orvane\\Demo",
                               {CopyRecord{"x\\", 0}, CopyRecord{"y\\", 0}, CopyRecord{"z\\", 0}},
                               {Payload("a.txt", "new a")}};
        WritePatch(d);
        FolderState before = GameState();

        ChildResult run = ApplyToGame();

        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.ends_with(std::string(Text::kCopyFailed) + "\n")) << run.err;
        FolderState after = GameState();
        EXPECT_EQ(TemporaryFiles(after), std::vector<std::string>());
        ASSERT_EQ(after.count("x/a.txt"), 1u);
        EXPECT_EQ(std::string(after["x/a.txt"].bytes.begin(), after["x/a.txt"].bytes.end()),
                  "new a");
        after.erase("x/a.txt");
        after.erase("x");
        EXPECT_EQ(after, before);
    }
}

}  // namespace
}  // namespace Orvane::Test
