#include "cli/install/wine_drives.h"
#include "common/utf8_path.h"

#include <cstdlib>

namespace Orvane::Cli {
namespace {

namespace fs = std::filesystem;

constexpr char kPrefixVariable[] = "WINEPREFIX";
constexpr char kHomeVariable[] = "HOME";
constexpr char kDefaultPrefix[] = ".wine";
constexpr char kUserRegistry[] = "user.reg";
constexpr char kDriveLinks[] = "dosdevices";

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char LowerCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The path on the drive with '/' between its components and no leading separator.
std::string PathOnDrive(std::string rest) {
    for (char& c : rest) {
        if (c == '\\') c = '/';
    }
    std::size_t start = rest.find_first_not_of('/');
    return start == std::string::npos ? std::string() : rest.substr(start);
}

}  // namespace

std::optional<fs::path> WinePrefix() {
    const char* prefix = std::getenv(kPrefixVariable);
    if (prefix != nullptr && *prefix != '\0') return fs::path(prefix);
    const char* home = std::getenv(kHomeVariable);
    if (home != nullptr && *home != '\0') return fs::path(home) / kDefaultPrefix;
    return std::nullopt;
}

fs::path UserRegistryFile(const fs::path& prefix) { return prefix / kUserRegistry; }

std::optional<fs::path> HostPathOfWindowsPath(const fs::path& prefix,
                                              const std::string& windowsPath) {
    if (windowsPath.size() < 2 || !IsDriveLetter(windowsPath[0]) || windowsPath[1] != ':') {
        return std::nullopt;
    }
    std::string link{LowerCase(windowsPath[0]), ':'};
    std::error_code error;
    fs::path drive = fs::canonical(prefix / kDriveLinks / link, error);
    if (error) return std::nullopt;
    std::string rest = PathOnDrive(windowsPath.substr(2));
    return rest.empty() ? drive : drive / Common::PathFromUtf8(rest);
}

}  // namespace Orvane::Cli
