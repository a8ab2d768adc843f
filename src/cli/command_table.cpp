#include "cli/command.h"

namespace Orvane::Cli {

// Each command is declared in its own file.
const Command& InfoCommand();
const Command& BuildCommand();
const Command& ApplyCommand();
const Command& ArcListCommand();
const Command& ArcExtractCommand();
const Command& ArcCreateCommand();
const Command& DiffCommand();

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        InfoCommand(),    BuildCommand(),      ApplyCommand(), ArcListCommand(),
        ArcExtractCommand(), ArcCreateCommand(), DiffCommand(),
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
