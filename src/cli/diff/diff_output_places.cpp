#include "cli/diff/diff_output_places.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/diff/diff_outputs.h"
#include "common/utf8_path.h"

namespace Orvane::Cli {
namespace {

namespace fs = std::filesystem;

struct Output {
    const char* option;
    fs::path path;
    bool replacedWithContents = false;  // a folder that a successful diff replaces
};

fs::path RealPath(const fs::path& path) {
    std::error_code error;
    fs::path real = fs::weakly_canonical(fs::absolute(path, error), error);
    return error ? path.lexically_normal() : real;
}

// Whether path is folder or lies below it.
bool IsWithin(const fs::path& path, const fs::path& folder) {
    auto [end, rest] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return end == folder.end() || (std::next(end) == folder.end() && end->empty());
}

std::vector<Output> Outputs(const DiffArguments& arguments) {
    std::vector<Output> outputs{{"-o", Common::PathFromUtf8(arguments.output)}};
    if (arguments.manifest) {
        fs::path manifest = Common::PathFromUtf8(*arguments.manifest);
        outputs.push_back({"--manifest", manifest});
        outputs.push_back({"--manifest's payload folder", PayloadFolderOf(manifest), true});
    }
    if (arguments.verify) {
        fs::path scratch = arguments.scratch ? Common::PathFromUtf8(*arguments.scratch)
                                             : Common::PathFromUtf8(arguments.output).parent_path();
        outputs.push_back({"the scratch folder", scratch.empty() ? fs::path(".") : scratch});
    }
    return outputs;
}

}  // namespace

void RequireOutputsOutsideReleases(const DiffArguments& arguments) {
    std::vector<std::string> releases = arguments.olds;
    releases.push_back(arguments.newer);
    std::vector<Output> outputs = Outputs(arguments);
    for (const std::string& release : releases) {
        fs::path releasePath = RealPath(Common::PathFromUtf8(release));
        for (const Output& output : outputs) {
            fs::path outputPath = RealPath(output.path);
            std::string named = output.option + (": " + Common::Utf8FromPath(output.path));
            if (IsWithin(outputPath, releasePath)) {
                throw UsageError(named + kInsideRelease + release);
            }
            if (output.replacedWithContents && IsWithin(releasePath, outputPath)) {
                throw UsageError(named + kHoldsRelease + release);
            }
        }
    }
}

}  // namespace Orvane::Cli
