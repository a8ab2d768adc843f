#include "cli/default_stub.h"

#include <filesystem>

#include "cli/path_argument.h"
#include "cli/program.h"
#include "common/utf8_path.h"

namespace Orvane::Cli {
namespace {

namespace fs = std::filesystem;

constexpr char kStubName[] = "patch.exe";
std::optional<fs::path> ProgramFolder() {
    std::optional<fs::path> self = ProgramFile();
    if (!self) return std::nullopt;
    return self->parent_path();
}

// relative seen from the folder of the running program.
std::optional<fs::path> FromProgram(const fs::path& relative) {
    std::optional<fs::path> folder = ProgramFolder();
    if (!folder) return std::nullopt;
    return (*folder / relative).lexically_normal();
}

}  // namespace

std::optional<std::string> FindDefaultStub() {
    std::optional<fs::path> candidates[] = {FromProgram(kStubName),
                                            FromProgram(ORVPATCH_STUB_FROM_PROGRAM),
                                            fs::path(ORVPATCH_BUILT_STUB)};
    for (const std::optional<fs::path>& candidate : candidates) {
        std::error_code error;
        if (candidate && fs::is_regular_file(*candidate, error)) {
            return Common::Utf8FromPath(*candidate);
        }
    }
    return std::nullopt;
}

}  // namespace Orvane::Cli
