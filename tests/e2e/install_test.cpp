// `cmake --install` of this build: the tool and its documents in the usual places, and the
// stub that the installed `orvpatch build` finds beside them.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "apply_fixture.h"
#include "tools/minimal_image.h"

namespace Orvane::Test {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

class InstallTest : public ApplyTest {};

TEST_F(InstallTest, TheInstalledToolFindsTheInstalledStub) {
    const std::string prefix = RootPath("prefix/");
    ChildResult install = RunChild(ORVPATCH_CMAKE, {"--install", ORVPATCH_BUILD_DIR, "--prefix", prefix},
                                   DefaultOptions(), RootPath("work/"));
    ASSERT_EQ(install.exitCode, 0) << install.out << install.err;
    for (const char* file : {"bin/orvpatch", "share/doc/orvpatch/README.md",
                             "share/doc/orvpatch/manifest.md", "share/doc/orvpatch/apply.md",
                             "share/doc/orvpatch/arc.md", "share/doc/orvpatch/copyright",
                             "share/man/man1/orvpatch.1",
                             "share/bash-completion/completions/orvpatch"}) {
        EXPECT_TRUE(fs::is_regular_file(prefix + file)) << file;
    }
    // The stub of this build is installed only where the win32 preset has made it: stand in for it.
    fs::create_directories(prefix + "share/orvpatch");
    Tools::WriteMinimalImage(prefix + "share/orvpatch/patch.exe");
    std::ofstream(RootPath("work/patch.toml")) << "title = \"t\"\nregistry-key = 'Software\\Orvane\\Demo'\n";

    ChildResult build = RunChild(prefix + "bin/orvpatch", {"build", RootPath("work/patch.toml"), "-o", RootPath("work/out.exe")},
                                 DefaultOptions(), RootPath("work/"));

    ASSERT_EQ(build.exitCode, 0) << build.err;
    std::vector<std::uint8_t> stub = Tools::MinimalImage();
    std::vector<std::uint8_t> patch = ReadBytes(RootPath("work/out.exe"));
    ASSERT_GT(patch.size(), stub.size());
    EXPECT_TRUE(std::equal(stub.begin(), stub.end(), patch.begin()));
}

}  // namespace
}  // namespace Orvane::Test
