// orvpatch info [--json] PATCH
//
// Shows the patch container of a patch executable. A damaged container shows what could be
// read, then the patch program's own text for the problem (stderr), and exits with 1. A
// payload that the program cannot load is marked in the listing; it fails the reading only
// where a copy record names it, as it fails the program's run there.
#include <cstdio>

#include "cli/command.h"
#include "cli/console.h"
#include "cli/info_json.h"
#include "cli/info_text.h"
#include "cli/path_argument.h"
#include "common/file_stream.h"
#include "patch/container_reader.h"

namespace Orvane::Cli {
namespace {

constexpr char kJsonOption[] = "--json";
constexpr char kUnknownOption[] = "unknown option ";
constexpr char kOnePatch[] = "give exactly one patch executable";
constexpr char kCannotOpen[] = "cannot open ";

struct InfoArguments {
    bool json = false;
    std::string patch;
};

InfoArguments ParseInfoArguments(const Arguments& arguments) {
    InfoArguments parsed;
    int patches = 0;
    for (const std::string& argument : arguments) {
        if (argument == kJsonOption) {
            parsed.json = true;
        } else if (argument.size() > 1 && argument[0] == '-') {
            throw UsageError(kUnknownOption + argument);
        } else {
            parsed.patch = argument;
            ++patches;
        }
    }
    if (patches != 1) throw UsageError(kOnePatch);
    return parsed;
}

bool CanOpen(const std::string& ansiPath) {
    Common::FileStream stream(ansiPath, Common::OpenExisting, Common::FileAccess::Read,
                              Common::FileShare::Read | Common::FileShare::Write);
    return stream.CanRead();
}

}  // namespace

int RunInfo(const Arguments& arguments) {
    InfoArguments parsed = ParseInfoArguments(arguments);
    std::string patch = AnsiPathArgument(parsed.patch);
    // The patch program would report an unreadable file as a wrong file size; say what it is.
    if (!CanOpen(patch)) {
        PrintLine(stderr, kCannotOpen + parsed.patch);
        return kExitFailure;
    }
    ContainerReading reading = ReadContainer(patch, PayloadData::Drop);
    if (parsed.json) {
        PrintLine(stdout, ContainerJson(reading));
    } else {
        PrintContainerText(stdout, reading);
    }
    if (reading.failureText.empty()) return kExitSuccess;
    PrintAnsiLine(stderr, reading.failureText);
    return kExitFailure;
}

}  // namespace Orvane::Cli
