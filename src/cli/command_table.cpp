#include "cli/command.h"

namespace Orvane::Cli {

// Each command's function lives in its own file.
int RunInfo(const Arguments& arguments);
int RunBuild(const Arguments& arguments);
int RunApply(const Arguments& arguments);
int RunArcList(const Arguments& arguments);
int RunArcExtract(const Arguments& arguments);
int RunArcCreate(const Arguments& arguments);
int RunDiff(const Arguments& arguments);

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"info", "show the patch container of a patch executable", "info [--json] PATCH",
         &RunInfo},
        {"build", "build a patch executable from a manifest",
         "build MANIFEST -o PATCH [--stub STUB] [--sign-cert FILE --sign-key FILE | --sign-pkcs12 FILE ...]", &RunBuild},
        {"apply", "apply a patch executable to an installation folder",
         "apply [--dry-run [--json]] [--replace-newer] [--folder DIR] [--log FILE] PATCH", &RunApply},
        {"arc list", "show the layout and the entries of a LINK archive",
         "arc list [--json] ARCHIVE", &RunArcList},
        {"arc extract", "write every entry of a LINK archive as a file",
         "arc extract ARCHIVE -C DIR", &RunArcExtract},
        {"arc create", "make a LINK archive from files",
         "arc create ARCHIVE --layout LAYOUT [--revision N] [--tag TEXT] [--kind N] -C DIR FILE...",
         &RunArcCreate},
        {"diff", "make a checked patch executable from releases of a game",
         "diff OLD... NEW -o PATCH --title TEXT --registry-key KEY [--stub STUB] "
         "[--manifest FILE] [--allow-skip] [--no-verify] [--scratch DIR] "
         "[--install-path-length N] [--sign-cert FILE --sign-key FILE | ...]",
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
