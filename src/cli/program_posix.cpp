#include "cli/program.h"

namespace Orvane::Cli {
namespace {

constexpr char kOwnExecutable[] = "/proc/self/exe";

}  // namespace

Arguments ProgramArguments(int argc, char** argv) { return Arguments(argv + 1, argv + argc); }

std::optional<std::filesystem::path> ProgramFile() {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink(kOwnExecutable, error);
    if (error) return std::nullopt;
    return self;
}

}  // namespace Orvane::Cli
