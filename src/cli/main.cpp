// orvpatch: apply, inspect and author patch executables without Windows.
//
//   orvpatch <command> [arguments]     see `orvpatch --help`
#include <cstdio>
#include <string>

#include "app/version_line.h"
#include "cli/command.h"
#include "cli/console.h"
#include "common/resource_version.h"

namespace Orvane::Cli {
namespace {

constexpr char kProgram[] = "orvpatch";

void PrintHelp(std::FILE* out) {
    PrintLine(out, std::string("usage: ") + kProgram + " [--version] [--help] <command> [<args>]");
    PrintLine(out, "");
    PrintLine(out, "Apply, inspect and build self-applying game patches.");
    if (!Commands().empty()) {
        PrintLine(out, "");
        PrintLine(out, "commands:");
    }
    for (const Command& command : Commands()) {
        std::string name = command.name;
        name.resize(10, ' ');
        PrintLine(out, "  " + name + command.summary);
    }
}

void PrintVersion() {
    Common::CResourceVersion version(nullptr);
    PrintAnsiLine(stdout, VersionLine(&version));
}

int RunCommand(const Command& command, const Arguments& arguments) {
    try {
        return command.run(arguments);
    } catch (const UsageError& error) {
        PrintLine(stderr, std::string(kProgram) + " " + command.name + ": " + error.what());
        PrintLine(stderr, std::string("usage: ") + kProgram + " " + command.usage);
        return kExitUsage;
    }
}

int Main(const Arguments& arguments) {
    if (arguments.empty()) {
        PrintHelp(stderr);
        return kExitUsage;
    }
    const std::string& first = arguments.front();
    if (first == "--version" || first == "-V") {
        PrintVersion();
        return kExitSuccess;
    }
    if (first == "--help" || first == "-h" || first == "help") {
        PrintHelp(stdout);
        return kExitSuccess;
    }
    const Command* command = FindCommand(first);
    if (command == nullptr) {
        PrintLine(stderr, std::string(kProgram) + ": '" + first + "' is not a command; see '" +
                              kProgram + " --help'");
        return kExitUsage;
    }
    return RunCommand(*command, Arguments(arguments.begin() + 1, arguments.end()));
}

}  // namespace
}  // namespace Orvane::Cli

int main(int argc, char** argv) {
    return Orvane::Cli::Main(Orvane::Cli::Arguments(argv + 1, argv + argc));
}
