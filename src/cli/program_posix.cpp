#include "cli/program.h"

#include <cstdlib>

namespace Orvane::Cli {
namespace {

constexpr char kOwnExecutable[] = "/proc/self/exe";
constexpr char kTimeZoneVariable[] = "TZ";
// The system's zone, named: the C library reads it once, where without TZ it looks at the
// file's status again at every conversion of a local time (six for each file a patch copies).
constexpr char kSystemTimeZone[] = ":/etc/localtime";

}  // namespace

Arguments ProgramArguments(int argc, char** argv) {
    ::setenv(kTimeZoneVariable, kSystemTimeZone, 0);  // a TZ that is set stays as it is
    return Arguments(argv + 1, argv + argc);
}

std::optional<std::filesystem::path> ProgramFile() {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink(kOwnExecutable, error);
    if (error) return std::nullopt;
    return self;
}

}  // namespace Orvane::Cli
