#include "cli/command.h"

namespace Orvane::Cli {

// Each command's function lives in its own file.
const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {};
    return commands;
}

const Command* FindCommand(const std::string& name) {
    for (const Command& command : Commands()) {
        if (name == command.name) return &command;
    }
    return nullptr;
}

}  // namespace Orvane::Cli
