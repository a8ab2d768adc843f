// Without --folder, `orvpatch apply` finds the installation as the Windows program would:
// the value Install under HKEY_CURRENT_USER\<key of the patch>, in the user.reg of the Wine
// prefix, mapped to this system through the prefix's drive links.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
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

// A user.reg as Wine writes it, with the installation at C:\ゲーム\修正 in a key of another case
// than the patch names.
const std::string kUserReg = "WINE REGISTRY Version 2\n"
                             ";; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n\n"
                             "#arch=win32\n\n"
                             "[Software\\\\orvane\\\\E2E] 1796751829\n"
                             "#time=1dd873bae90ebe2\n"
                             "\"Install\"=\"C:\\\\\\x30b2\\x30fc\\x30e0\\\\\\x4fee\\x6b63\"\n\n";
const std::string kInstallFolder = Utf8(u8"drive_c/ゲーム/修正/");

fs::path HostPath(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

// The program on PATH, or empty.
std::string FindOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "";
    for (std::size_t start = 0; start <= folders.size();) {
        std::size_t end = std::min(folders.find(':', start), folders.size());
        fs::path candidate = fs::path(folders.substr(start, end - start)) / name;
        if (end > start && access(candidate.c_str(), X_OK) == 0) return candidate.string();
        start = end + 1;
    }
    return "";
}

class ApplyFromRegistry : public ApplyTest {
protected:
    void SetUp() override {
        WritePatch(ContainerDescription{1, "t", 0, "SOFTWARE\\Orvane\\e2e", {CopyRecord{"", 0}},
                                        {Payload("a.txt", "new a")}});
    }

    // A prefix at root/<folder> with the drive link c: and the installation folder.
    std::string MakePrefix(const std::string& folder) const {
        std::string prefix = RootPath(folder);
        fs::create_directories(HostPath(prefix + kInstallFolder));
        fs::create_directories(HostPath(prefix + "dosdevices"));
        fs::create_directory_symlink("../drive_c", HostPath(prefix + "dosdevices/c:"));
        return prefix;
    }

    void WriteUserReg(const std::string& prefix, const std::string& text) const {
        std::ofstream(HostPath(prefix + "user.reg"), std::ios::binary) << text;
    }

    ChildResult ApplyWithout(const std::map<std::string, std::optional<std::string>>& variables) const {
        ChildOptions options = DefaultOptions();
        for (const auto& [name, value] : variables) options.environment[name] = value;
        return Apply({PatchPath()}, options);
    }
};

TEST_F(ApplyFromRegistry, UsesTheFolderOfWinePrefix) {
    std::string prefix = MakePrefix("prefix/");
    WriteUserReg(prefix, kUserReg);

    ChildResult run = ApplyWithout({{"WINEPREFIX", prefix}});

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, Text::kCompleted + "\n");
    EXPECT_TRUE(ReadFolderState(prefix + kInstallFolder).contains("a.txt"));
}

TEST_F(ApplyFromRegistry, FallsBackToTheWineFolderOfHome) {
    std::string prefix = MakePrefix("home/.wine/");
    WriteUserReg(prefix, kUserReg);

    ChildResult run = ApplyWithout({{"WINEPREFIX", std::nullopt}, {"HOME", RootPath("home")}});

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(ReadFolderState(prefix + kInstallFolder).contains("a.txt"));
}

TEST_F(ApplyFromRegistry, AFolderOnADriveThePrefixLacksIsNoFolder) {
    std::string prefix = MakePrefix("prefix/");
    WriteUserReg(prefix, "[Software\\\\Orvane\\\\E2E] 1\n\"Install\"=\"Q:\\\\Game\"\n");

    ChildResult run = ApplyWithout({{"WINEPREFIX", prefix}});

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Q:\\Game"), std::string::npos) << run.err;
    EXPECT_TRUE(run.err.ends_with("\n" + Text::kNoFolder + "\n")) << run.err;
}

TEST_F(ApplyFromRegistry, AValueTooLongForTheProgramIsNoFolder) {
    std::string prefix = MakePrefix("prefix/");
    WriteUserReg(prefix, "[Software\\\\Orvane\\\\E2E] 1\n\"Install\"=\"C:\\\\" +
                             std::string(257, 'x') + "\"\n");

    ChildResult run = ApplyWithout({{"WINEPREFIX", prefix}});

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, Text::kNoFolder + "\n");
}

// The registry as Wine itself writes it: `wine reg add`, then wait for the server to save.
TEST_F(ApplyFromRegistry, ReadsWhatWineRegAddWrote) {
    std::string wine = FindOnPath("wine");
    std::string wineserver = FindOnPath("wineserver");
    if (wine.empty() || wineserver.empty()) GTEST_SKIP() << "wine is not installed; scripts/setup installs it";
    std::string prefix = RootPath("wine-prefix/");
    ChildOptions options;
    options.environment = {{"WINEPREFIX", prefix}, {"WINEDEBUG", "-all"}, {"LC_ALL", "C.UTF-8"},
                           {"DISPLAY", std::nullopt}};
    ChildResult added = RunChild(wine, {"reg", "add", "HKCU\\Software\\Orvane\\E2E", "/v", "Install",
                                        "/t", "REG_SZ", "/d", Utf8(u8"C:\\ゲーム\\修正"), "/f"},
                                 options, RootPath("work/"));
    if (added.err.find("Exec format error") != std::string::npos)
        GTEST_SKIP() << "this machine's kernel cannot run 32-bit programs, which wine needs";
    ASSERT_EQ(added.exitCode, 0) << added.out << added.err;
    ASSERT_EQ(RunChild(wineserver, {"-w"}, options, RootPath("work/")).exitCode, 0);
    fs::create_directories(HostPath(prefix + kInstallFolder));

    ChildResult run = ApplyWithout({{"WINEPREFIX", prefix}});

    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(ReadFolderState(prefix + kInstallFolder).contains("a.txt"));
}

// The value as Wine stores it, C:\ゲーム\表, ends in 95 5C: the copy goes into 表, not beside it.
TEST_F(ApplyFromRegistry, AFolderEndingInHyoIsPatchedInside) {
    std::string prefix = MakePrefix("prefix/");
    fs::create_directories(HostPath(prefix + Utf8(u8"drive_c/ゲーム/表")));
    WriteUserReg(prefix, "[Software\\\\Orvane\\\\E2E] 1\n"
                         "\"Install\"=\"C:\\\\\\x30b2\\x30fc\\x30e0\\\\\\x8868\"\n");

    ChildResult run = ApplyWithout({{"WINEPREFIX", prefix}});

    EXPECT_EQ(run.exitCode, 0) << run.err;
    FolderState state = ReadFolderState(prefix + Utf8(u8"drive_c/ゲーム/"));
    EXPECT_TRUE(state.contains(Utf8(u8"表/a.txt")));
    EXPECT_FALSE(state.contains(Utf8(u8"表a.txt")));
}

}  // namespace
}  // namespace Orvane::Test
