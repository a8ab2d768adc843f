// `orvpatch apply` before the first command: its arguments, the container checks made at
// start-up and the order of the run's first checks.
#include <fstream>
#include <string>
#include <vector>

#include "apply_fixture.h"
#include "apply_texts.h"
#include "patch_maker.h"
#include "tools/minimal_image.h"

namespace Orvane::Test {
namespace {

namespace Text = ApplyText;

constexpr char kPatch[] = "<patch>";
constexpr char kGame[] = "<game>";

struct UsageCase {
    const char* what;
    std::vector<std::string> arguments;  // kPatch and kGame stand for the fixture's paths
};

void PrintTo(const UsageCase& c, std::ostream* out) { *out << c.what; }

class ApplyUsage : public ApplyTest, public testing::WithParamInterface<UsageCase> {};

TEST_P(ApplyUsage, ExitsWithTwoAndTheUsageLine) {
    WritePatch(ContainerDescription{1, "t", 0, "Software\\Orvane\\Demo", {}, {}});
    std::vector<std::string> arguments;
    for (const std::string& argument : GetParam().arguments) {
        arguments.push_back(argument == kPatch ? PatchPath()
                            : argument == kGame ? GamePath()
                                                : argument);
    }
    ChildResult run = Apply(arguments);

    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.err.starts_with("orvpatch apply: ")) << run.err;
    EXPECT_TRUE(run.err.ends_with("\n" + Text::kUsage + "\n")) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Mistakes, ApplyUsage,
    testing::Values(UsageCase{"no patch", {}},
                    UsageCase{"folder only", {"--folder", kGame}},
                    UsageCase{"folder without value", {kPatch, "--folder"}},
                    UsageCase{"two patches", {kPatch, kPatch}},
                    UsageCase{"unknown option", {"--force", kPatch}},
                    UsageCase{"folder is a file", {"--folder", kPatch, kPatch}}),
    [](const testing::TestParamInfo<UsageCase>& info) { return std::to_string(info.index); });

// A patch file whose container cannot be used, and the start-up text it gives.
struct StartupCase {
    const char* what;
    std::vector<std::uint8_t> bytesAfterImage;
    bool imageFirst;
    bool exists;
    const std::string* text;
};

void PrintTo(const StartupCase& c, std::ostream* out) { *out << c.what; }

class ApplyStartup : public ApplyTest, public testing::WithParamInterface<StartupCase> {
protected:
    void SetUp() override {
        WriteGameFile("readme.txt", "1.0");
        if (!GetParam().exists) return;
        std::vector<std::uint8_t> bytes;
        if (GetParam().imageFirst) bytes = Tools::MinimalImage();
        bytes.insert(bytes.end(), GetParam().bytesAfterImage.begin(), GetParam().bytesAfterImage.end());
        std::ofstream(PatchPath(), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
};

TEST_P(ApplyStartup, PrintsTheStartupTextThenFailsForWantOfPatchData) {
    FolderState before = GameState();
    ChildResult run = ApplyToGame();

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, *GetParam().text + "\n" + Text::kNoPatchData + "\n");
    EXPECT_EQ(GameState(), before);
}

// Without a container there is no registry key either, so no folder is known: that is
// reported first, as the Windows program's Run does.
TEST_P(ApplyStartup, WithoutFolderReportsTheMissingFolderFirst) {
    ChildResult run = Apply({PatchPath()});

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, *GetParam().text + "\n" + Text::kNoFolder + "\n");
}

std::vector<std::uint8_t> Ascii(const std::string& text) { return {text.begin(), text.end()}; }

INSTANTIATE_TEST_SUITE_P(
    Containers, ApplyStartup,
    testing::Values(
        StartupCase{"nothing appended", {}, true, true, &Text::kNotFound},
        StartupCase{"not an image", Ascii("just some text, no image headers"), false, true, &Text::kFileSizeWrong},
        StartupCase{"header cut short", Ascii("PATCHv01\x04"), true, true, &Text::kHeaderReadFailed},
        StartupCase{"wrong magic", Ascii("PATCHES!"), true, true,
                    &Text::kHeaderReadFailed}),
    [](const testing::TestParamInfo<StartupCase>& info) { return std::to_string(info.index); });

class ApplyFirstChecks : public ApplyTest {};

TEST_F(ApplyFirstChecks, NoFolderFromTheRegistryNorTheCommandLine) {
    WritePatch(ContainerDescription{1, "t", 0, "Software\\Orvane\\Demo", {}, {}});
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{PatchPath()}, {"--folder", "", PatchPath()}}) {
        ChildResult run = Apply(arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, Text::kNoFolder + "\n");
    }
}

// A patch or a folder that is not there is named before the run, in place of the run's texts
// about a wrong file size and missing patch data, or an archive it cannot open.
TEST_F(ApplyFirstChecks, AMissingPatchOrFolderIsNamedBeforeTheRun) {
    WritePatch(ContainerDescription{1, "t", 0, "Software\\Orvane\\Demo", {}, {}});
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--folder", GamePath(), RootPath("none.exe")},
         "the patch executable does not exist: " + RootPath("none.exe")},
        {{"--folder", RootPath("none"), PatchPath()},
         "the installation folder does not exist: " + RootPath("none")}};
    for (const auto& [arguments, missing] : cases) {
        ChildResult run = Apply(arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, "orvpatch apply: " + missing + "\n");
    }
}

TEST_F(ApplyFirstChecks, AVersionZeroContainerStartsButCannotRun) {
    WriteGameFile("readme.txt", "1.0");
    WritePatch(ContainerDescription{0, "t", 0, "Software\\Orvane\\Demo", {CopyRecord{"", 0}},
                                    {Payload("readme.txt", "1.1")}});
    FolderState before = GameState();

    ChildResult run = ApplyToGame();

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, Text::kScriptLoadFailed + "\n");
    EXPECT_EQ(GameState(), before);
}

}  // namespace
}  // namespace Orvane::Test
