#include "cli/command.h"

namespace Orvane::Cli {

// Each command's function lives in its own file.
int RunInfo(const Arguments& arguments);
int RunBuild(const Arguments& arguments);
int RunApply(const Arguments& arguments);

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"info", "show the patch container of a patch executable", "info [--json] PATCH",
         &RunInfo},
        {"build", "build a patch executable from a manifest",
         "build MANIFEST -o PATCH [--stub STUB]", &RunBuild},
        {"apply", "apply a patch executable to an installation folder",
         "apply [--dry-run [--json]] [--folder DIR] PATCH", &RunApply},
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
