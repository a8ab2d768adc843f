// `orvpatch build`'s manifest reader on the input as a manifest, in a folder that holds two
// payload files it may name (files/readme.txt, files/title.bmp). A manifest that reads is
// written back the way `orvpatch diff` writes one and must read back as the same patch.
#include <filesystem>
#include <fstream>

#include "cli/manifest/manifest_reader.h"
#include "cli/manifest/manifest_writer.h"
#include "fuzz/fuzz_target.h"
#include "fuzz/input_folder.h"

namespace {

using namespace Orvane;
namespace fs = std::filesystem;

constexpr char kManifestName[] = "manifest.toml";
constexpr char kRewrittenFolder[] = "rewritten";
constexpr char kPayloadFolderName[] = "payloads";

void MakePayloadFiles() {
    fs::path files = Fuzz::InputFolder() / "files";
    fs::create_directories(files);
    std::ofstream(files / "readme.txt", std::ios::binary) << "readme 1.1\n";
    std::ofstream(files / "title.bmp", std::ios::binary) << "BM title";
}

std::string Utf8(const fs::path& path) {
    std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

void CheckRewrite(const ContainerDescription& description) {
    fs::path folder = Fuzz::InputFolder() / kRewrittenFolder;
    fs::remove_all(folder);
    fs::create_directories(folder);
    fs::path manifest = folder / kManifestName;
    Cli::WriteManifest(description, manifest, folder / kPayloadFolderName, kPayloadFolderName);
    Fuzz::FuzzRequire(Cli::ReadManifest(Utf8(manifest)) == description,
                      "a written manifest reads back as the same patch");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool filesMade = (MakePayloadFiles(), true);
    Fuzz::FuzzRequire(filesMade, "the payload files are made");
    fs::path manifest = Fuzz::WriteInput(kManifestName, data, size);
    ContainerDescription description;
    try {
        description = Cli::ReadManifest(Utf8(manifest));
    } catch (const Cli::ManifestError&) {  // a mistake in the manifest
        return 0;
    }
    CheckRewrite(description);
    return 0;
}
