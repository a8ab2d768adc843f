// orvpatch: apply, inspect and author patch executables without Windows.
//
//   orvpatch <command> [arguments]     see `orvpatch --help`
#include <cstdio>
#include <string>
#include <vector>

#include "app/version_line.h"
#include "cli/command.h"
#include "cli/program.h"
#include "cli/views/console.h"
#include "common/resource_version.h"

namespace Orvane::Cli {
namespace {

constexpr char kProgram[] = "orvpatch";
constexpr std::size_t kNameColumns = 12;

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
        name.resize(kNameColumns, ' ');
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
    } catch (const CommandFailure& failure) {
        PrintLine(stderr, std::string(kProgram) + " " + command.name + ": " + failure.what());
        return kExitFailure;
    }
}

// The usage lines of the commands of a group ("arc" for "arc list", ...); none for other words.
std::vector<std::string> GroupUsage(const std::string& group) {
    std::vector<std::string> lines;
    for (const Command& command : Commands()) {
        if (std::string(command.name).starts_with(group + " ")) {
            lines.push_back(std::string("usage: ") + kProgram + " " + command.usage);
        }
    }
    return lines;
}

int UnknownCommand(const std::string& first) {
    std::vector<std::string> usage = GroupUsage(first);
    PrintLine(stderr, std::string(kProgram) + ": '" + first + "' is not a command" +
                          (usage.empty() ? std::string("; see '") + kProgram + " --help'"
                                         : ", but the first word of these:"));
    for (const std::string& line : usage) PrintLine(stderr, line);
    return kExitUsage;
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
    std::size_t words = 1;
    const Command* command = FindCommand(first);
    if (command == nullptr && arguments.size() > 1) {
        command = FindCommand(first + " " + arguments[1]);
        words = 2;
    }
    if (command == nullptr) return UnknownCommand(first);
    return RunCommand(*command, Arguments(arguments.begin() + words, arguments.end()));
}

}  // namespace
}  // namespace Orvane::Cli

int main(int argc, char** argv) {
    return Orvane::Cli::Main(Orvane::Cli::ProgramArguments(argc, argv));
}
