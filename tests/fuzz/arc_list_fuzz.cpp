// `orvpatch arc list` and `orvpatch arc list --json` on the input as an archive file, through
// the command table as the tool runs them. A damaged archive is the command's failure; the
// listings go to a null device.
#include <cstdio>

#include "cli/command.h"
#include "fuzz/fuzz_target.h"
#include "fuzz/input_folder.h"

namespace {

using namespace Orvane;

constexpr char kCommand[] = "arc list";
constexpr char kJsonOption[] = "--json";
constexpr char kArchiveName[] = "input.arc";
constexpr char kNullDevice[] = "/dev/null";

void Run(const Cli::Command& command, const Cli::Arguments& arguments) {
    try {
        command.run(Cli::ReadCommandOptions(arguments, command.options));
    } catch (const Cli::CommandFailure&) {  // not an archive, or a damaged one
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Cli::Command* command = [] {
        Fuzz::FuzzRequire(std::freopen(kNullDevice, "w", stdout) != nullptr, "stdout discarded");
        return Cli::FindCommand(kCommand);
    }();
    Fuzz::FuzzRequire(command != nullptr, "the tool has the command");
    std::string archive = Fuzz::WriteInput(kArchiveName, data, size).string();
    Run(*command, {archive});
    Run(*command, {kJsonOption, archive});
    return 0;
}
