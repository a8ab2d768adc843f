#include "cli/command.h"

namespace Orvane::Cli {

// Each command's function lives in its own file.
int RunInfo(const Arguments& arguments);
int RunBuild(const Arguments& arguments);
int RunApply(const Arguments& arguments);
int RunDiff(const Arguments& arguments);

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"info", "show the patch container of a patch executable", "info [--json] PATCH",
         &RunInfo},
        {"build", "build a patch executable from a manifest",
         "build MANIFEST -o PATCH [--stub STUB]", &RunBuild},
        {"apply", "apply a patch executable to an installation folder",
         "apply [--folder DIR] PATCH", &RunApply},
        {"diff", "make a checked patch executable from releases of a game",
         "diff OLD... NEW -o PATCH --title TEXT --registry-key KEY [--stub STUB] "
         "[--manifest FILE] [--allow-skip] [--no-verify]",
         &RunDiff},
    };
    return commands;
}

const Command* FindCommand(const std::string& name) {
    for (const Command& command : Commands()) {
        if (name == command.name) return &command;
    }
    return nullptr;
}

}  // namespace Orvane::Cli
