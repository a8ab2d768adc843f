#include "cli/path_argument.h"

#include "cli/command.h"
#include "common/utf8.h"

namespace Orvane::Cli {
namespace {

constexpr char kNotRepresentable[] = "path holds characters that code page 932 cannot represent: ";

}  // namespace

std::string AnsiPathArgument(const std::string& utf8) {
    std::optional<std::string> ansi = Common::ExactAnsiFromUtf8(utf8);
    if (!ansi) throw UsageError(kNotRepresentable + utf8);
    return *ansi;
}

}  // namespace Orvane::Cli
