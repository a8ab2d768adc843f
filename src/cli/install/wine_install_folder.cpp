#include "cli/install/install_folder.h"

#include "cli/install/wine_drives.h"
#include "cli/install/wine_registry.h"
#include "common/text_encoding.h"
#include "common/utf8.h"

namespace Orvane::Cli {
namespace {

constexpr char16_t kInstallValue[] = u"Install";
// The Windows program reads the value into a buffer of this many bytes, terminator included.
constexpr std::size_t kValueBufferSize = 260;

std::u16string Utf16Key(const std::string& registryKey) {
    std::vector<char16_t> units = Common::ToUtf16(registryKey);
    return std::u16string(units.begin(), units.end());
}

}  // namespace

InstallFolderLookup FindInstallFolder(const std::string& registryKey) {
    InstallFolderLookup result;
    std::optional<std::filesystem::path> prefix = WinePrefix();
    if (!prefix) return result;
    std::optional<std::u16string> value =
        ReadRegistryString(UserRegistryFile(*prefix), Utf16Key(registryKey), kInstallValue);
    if (!value) return result;
    std::string ansi = Common::ToAnsi(*value);
    if (ansi.empty() || ansi.size() + 1 > kValueBufferSize) return result;
    std::string windowsPath = Common::Utf8FromAnsi(ansi);
    result.folder = HostPathOfWindowsPath(*prefix, windowsPath);
    if (!result.folder) result.unmappedValue = windowsPath;
    return result;
}

}  // namespace Orvane::Cli
