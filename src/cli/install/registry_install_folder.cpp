#include "cli/install/install_folder.h"

#include "common/utf8.h"
#include "common/utf8_path.h"
#include "platform/win32/install_folder.h"

namespace Orvane::Cli {

// The same read as the Windows program's, so that both take the same values.
InstallFolderLookup FindInstallFolder(const std::string& registryKey) {
    InstallFolderLookup result;
    std::string ansi = Win32::ReadInstallFolder(registryKey);
    if (!ansi.empty()) result.folder = Common::PathFromUtf8(Common::Utf8FromAnsi(ansi));
    return result;
}

}  // namespace Orvane::Cli
