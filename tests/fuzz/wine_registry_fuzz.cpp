// The installation folder that `orvpatch apply` finds without --folder: the input is the Wine
// prefix's user.reg, searched for the value Install under the patch's registry key and mapped
// through the prefix's drive links (c: to drive_c). One escaped text of the file is also read
// on its own, from the input's first byte.
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "cli/install/install_folder.h"
#include "cli/install/wine_registry.h"
#include "fuzz/fuzz_target.h"
#include "fuzz/input_folder.h"

namespace {

using namespace Orvane;
namespace fs = std::filesystem;

constexpr char kRegistryKey[] = "Software\\Orvane\\Game";
constexpr char kPrefixFolder[] = "prefix";
constexpr char kUserRegistry[] = "prefix/user.reg";
constexpr char kPrefixVariable[] = "WINEPREFIX";
constexpr char kValueClosing = '"';

// A prefix of the fuzz input folder's own, with drive C: as Wine lays it out.
void MakePrefix() {
    fs::path prefix = Fuzz::InputFolder() / kPrefixFolder;
    fs::create_directories(prefix / "drive_c");
    fs::create_directories(prefix / "dosdevices");
    std::error_code exists;
    fs::create_directory_symlink("../drive_c", prefix / "dosdevices" / "c:", exists);
    Fuzz::FuzzRequire(setenv(kPrefixVariable, prefix.c_str(), 1) == 0, "WINEPREFIX set");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool prefixMade = (MakePrefix(), true);
    Fuzz::FuzzRequire(prefixMade, "the prefix is made");
    Fuzz::WriteInput(kUserRegistry, data, size);
    Cli::InstallFolderLookup found = Cli::FindInstallFolder(kRegistryKey);
    Fuzz::FuzzRequire(!(found.folder && !found.unmappedValue.empty()),
                      "a value is either mapped or unmapped");
    std::size_t consumed = 0;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (Cli::UnescapeRegistryText(text, kValueClosing, &consumed)) {
        Fuzz::FuzzRequire(consumed > 0 && consumed <= size, "an escaped text ends inside it");
    }
    return 0;
}
