// Property tests of the release diff over generated releases: for pairs and triples of releases
// the patch turns every old release into the new one, file for file and byte for byte (the
// archives included), a second run changes nothing, the same releases give the same patch, and
// its manifest reads back as the same container.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>

#include "app/run_patch.h"
#include "author/host_files.h"
#include "author/patch_description.h"
#include "author/release_diff.h"
#include "author/release_payloads.h"
#include "author/release_tree.h"
#include "author/path_key.h"
#include "common/utf8_path.h"
#include "cli/manifest/manifest_reader.h"
#include "cli/manifest/manifest_writer.h"
#include "support/folder_state.h"
#include "patch/container_reader.h"
#include "patch/container_start.h"
#include "patch/container_writer.h"
#include "support/release_generator.h"
#include "commands/silent_progress.h"
#include "support/temp_folder.h"
#include "support/text.h"
#include "tools/minimal_image.h"

namespace Orvane::Test {
namespace {

namespace fs = std::filesystem;

constexpr unsigned kSeeds = 40;
constexpr char kTimeZone[] = "JST-9";

fs::path HostPath(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

// The files below a folder by their path in lower case (the generator renames only ASCII).
std::map<std::string, std::vector<std::uint8_t>> Files(const std::string& folder) {
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (auto& [path, entry] : ReadFolderState(folder)) {
        std::string lower = path;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (!entry.isFolder) files[lower] = entry.bytes;
    }
    return files;
}

void Apply(const std::string& patch, const std::string& folder) {
    ContainerStart start = ReadContainerStart(Cp932(HostPath(patch).u8string()));
    RunInputs inputs{Cp932(HostPath(folder + "/").u8string()), Cp932(HostPath(patch).u8string()),
                     start.header.scriptOffset, start.header.version};
    CErrorMessages messages;
    RunOutcome outcome =
        RunPatch(inputs, messages, [] { return std::make_shared<SilentProgress>(); });
    ASSERT_TRUE(outcome.completed) << Utf8(outcome.message);
}

struct Tally {
    int byEntry = 0;
    int whole = 0;
    int copies = 0;
    int deletes = 0;
};

class ReleaseDiffProperty : public testing::Test {
protected:
    void SetUp() override {
        if (const char* zone = std::getenv("TZ")) oldZone_ = zone;
        ::setenv("TZ", kTimeZone, 1);
        ::tzset();
    }
    void TearDown() override {
        oldZone_.empty() ? ::unsetenv("TZ") : ::setenv("TZ", oldZone_.c_str(), 1);
        ::tzset();
    }

    // Diffs the releases, writes the patch and applies it twice to a copy of each old release.
    void Check(const std::vector<GameRelease>& releases, Tally& tally) {
        TempFolder folder;
        std::string root = Utf8(folder.Path());
        std::vector<Author::Release> olds;
        for (std::size_t i = 0; i < releases.size(); ++i) {
            WriteRelease(releases[i], root + std::to_string(i));
            if (i + 1 < releases.size()) {
                olds.push_back(Author::Release::Scan(HostPath(root + std::to_string(i))));
            }
        }
        std::string newer = root + std::to_string(releases.size() - 1);
        Author::PatchPlan plan =
            Author::DiffReleases(olds, Author::Release::Scan(HostPath(newer)), {});
        ContainerDescription description = Author::DescribePatch(plan, "t", "k");
        Author::PatchPlan again =
            Author::DiffReleases(olds, Author::Release::Scan(HostPath(newer)), {});
        EXPECT_EQ(Author::DescribePatch(again, "t", "k"), description);
        Author::ReleasePayloads payloads(plan, {});
        Cli::WriteManifest(description, HostPath(root + "m.toml"), HostPath(root + "m.payloads"),
                           "m.payloads", &payloads);
        Tools::WriteMinimalImage(folder / "stub.exe");
        WritePatchExecutable(folder / "stub.exe", description, folder / "patch.exe", &payloads);
        EXPECT_EQ(ReadContainer(folder / "patch.exe", PayloadData::Keep).description,
                  Cli::ReadManifest(root + "m.toml"))
            << "the manifest builds the patch, streamed payloads alike";
        for (std::size_t i = 0; i + 1 < releases.size(); ++i) {
            std::string copy = root + "copy" + std::to_string(i);
            Author::CopyTree(HostPath(root + std::to_string(i)), HostPath(copy));
            for (int run = 0; run < 2; ++run) {
                Apply(root + "patch.exe", copy);
                EXPECT_EQ(Files(copy), Files(newer)) << "old release " << i << ", run " << run;
            }
        }
        for (const Author::PlannedArchive& archive : plan.archives) {
            ++(archive.byEntry ? tally.byEntry : tally.whole);
        }
        for (const ScriptRecord& record : plan.records) {
            tally.copies += std::holds_alternative<CopyRecord>(record);
            tally.deletes += std::holds_alternative<DeleteRecord>(record);
        }
    }

private:
    std::string oldZone_;
};

TEST_F(ReleaseDiffProperty, PatchTurnsEveryOldReleaseIntoTheNewOne) {
    Tally tally;
    for (unsigned seed = 1; seed <= kSeeds; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        ReleaseGenerator generator(seed);
        std::vector<GameRelease> releases{generator.First()};
        for (unsigned i = 0; i < 1 + seed % 2; ++i) {
            releases.push_back(generator.Next(releases.back()));
        }
        Check(releases, tally);
    }
    // The generated releases reach every way the diff has.
    EXPECT_GT(tally.byEntry, 20);
    EXPECT_GT(tally.whole, 5);
    EXPECT_GT(tally.copies, 40);
    EXPECT_GT(tally.deletes, 10);
}

// Large files of two releases are digested side by side; the verdict is the same as one after
// the other, for files equal, differing in their last byte, and of different sizes.
TEST(SameContents, TellsLargeFilesApartAsSmallOnes) {
    TempFolder folder;
    const std::vector<std::uint8_t> large((1 << 20) + 7, 'x');
    std::vector<std::uint8_t> lastByte = large;
    lastByte.back() = 'y';
    std::vector<std::uint8_t> longer = large;
    longer.push_back('x');
    const std::pair<const char*, std::vector<std::uint8_t>> newer[] = {
        {"same.bin", large}, {"last.bin", lastByte}, {"size.bin", longer}};
    for (const auto& [name, bytes] : newer) {
        folder.WriteFile(std::string("old/") + name, large);
        folder.WriteFile(std::string("new/") + name, bytes);
    }
    Author::Release old = Author::Release::Scan(Common::PathFromUtf8(folder / "old"));
    Author::Release updated = Author::Release::Scan(Common::PathFromUtf8(folder / "new"));
    for (const auto& [name, bytes] : newer) {
        const Author::ReleaseItem* before = old.Find(Author::PathKey(name));
        const Author::ReleaseItem* after = updated.Find(Author::PathKey(name));
        ASSERT_TRUE(before && after) << name;
        EXPECT_EQ(Author::SameContents(old, *before, updated, *after), bytes == large) << name;
    }
}

}  // namespace
}  // namespace Orvane::Test
