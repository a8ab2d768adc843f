#include "cli/path_argument.h"

#include "cli/command.h"
#include "common/utf8.h"

namespace Orvane::Cli {
namespace {

constexpr char kNotRepresentable[] = "path holds characters that code page 932 cannot represent: ";

}  // namespace

std::string AnsiPathArgument(const std::string& utf8) {
    std::string ansi = Common::AnsiFromUtf8(utf8);
    if (Common::Utf8FromAnsi(ansi) != utf8) throw UsageError(kNotRepresentable + utf8);
    return ansi;
}

std::filesystem::path HostPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Path(const std::filesystem::path& path) {
    std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace Orvane::Cli
