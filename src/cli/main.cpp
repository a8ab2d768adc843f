// orvpatch: apply, inspect and author patch executables without Windows.
//
//   orvpatch <command> [arguments]     see `orvpatch --help`
//
// Every failure of a command reaches RunCommand, which prints it once as
// "orvpatch CMD: message" and maps it to the exit status: 2 for a mistake in the arguments
// (followed by the usage line), 1 for a file, a patch or a run that failed.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "author/refusal.h"
#include "cli/command.h"
#include "cli/command_usage.h"
#include "cli/docs/bash_completion.h"
#include "cli/docs/man_page.h"
#include "cli/program.h"
#include "cli/views/console.h"
#include "common/failure.h"
#include "common/utf8.h"

namespace Orvane::Cli {
namespace {

constexpr char kVersion[] = ORVPATCH_VERSION;
constexpr std::size_t kNameColumns = 12;
// Hidden: the build writes the manual page and the bash completion with these.
constexpr char kManOption[] = "--man";
constexpr char kCompletionOption[] = "--bash-completion";

void PrintHelp(std::FILE* out) {
    PrintLine(out, std::string("usage: ") + kProgram + " [--version] [--help] <command> [<args>]");
    PrintLine(out, "");
    PrintLine(out, "Apply, inspect and build self-applying game patches.");
    PrintLine(out, "");
    PrintLine(out, "commands:");
    for (const Command& command : Commands()) {
        std::string name = command.name;
        name.resize(kNameColumns, ' ');
        PrintLine(out, "  " + name + command.summary);
    }
}

int Fail(const Command& command, const std::string& message) {
    PrintLine(stderr, std::string(kProgram) + " " + command.name + ": " + message);
    return kExitFailure;
}

int RunCommand(const Command& command, const Arguments& arguments) {
    try {
        ReadOptions options = ReadCommandOptions(arguments, command.options);
        if (!options.helpAsked) return command.run(options);
        std::fputs(CommandHelp(command).c_str(), stdout);
        return kExitSuccess;
    } catch (const UsageError& error) {
        PrintLine(stderr, std::string(kProgram) + " " + command.name + ": " + error.what());
        PrintLine(stderr, UsageLine(command));
        return kExitUsage;
    } catch (const CommandFailure& failure) {
        return Fail(command, failure.what());
    } catch (const Author::Refusal& refusal) {
        return Fail(command, refusal.Utf8Text());
    } catch (const MessageFailure& failure) {
        return Fail(command, Common::Utf8FromAnsi(failure.Text()));
    } catch (const std::filesystem::filesystem_error& error) {  // e.g. a folder that vanished
        return Fail(command, error.what());
    }
}

// The usage lines of the commands of a group ("arc" for "arc list", ...); none for other words.
std::vector<std::string> GroupUsage(const std::string& group) {
    std::vector<std::string> lines;
    for (const Command& command : Commands()) {
        if (std::string(command.name).starts_with(group + " ")) lines.push_back(UsageLine(command));
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

// The options of the program itself; none for a command's name.
std::optional<int> RunProgramOption(const std::string& first) {
    if (first == "--version" || first == "-V") {
        PrintLine(stdout, std::string(kProgram) + " " + kVersion);
    } else if (first == kHelpOption || first == kHelpShortOption || first == "help") {
        PrintHelp(stdout);
    } else if (first == kManOption) {
        std::fputs(ManPage(kVersion).c_str(), stdout);
    } else if (first == kCompletionOption) {
        std::fputs(BashCompletion().c_str(), stdout);
    } else {
        return std::nullopt;
    }
    return kExitSuccess;
}

// The whole program but for how the arguments arrive: UTF-8, without the program's name.
int Main(const Arguments& arguments) {
    if (arguments.empty()) {
        PrintHelp(stderr);
        return kExitUsage;
    }
    const std::string& first = arguments.front();
    if (std::optional<int> status = RunProgramOption(first)) return *status;
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
