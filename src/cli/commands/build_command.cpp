// orvpatch build MANIFEST -o PATCH [--stub STUB] [signing options]
//
// Without --stub the Windows patch program is the stub (see default_stub.h). With the signing
// options (signing_options.h) the written patch is signed, container included.
//
// Builds a patch executable: the stub image followed by the container that the manifest
// describes. Manifest mistakes are reported with their line and exit with 2; a container the
// format cannot hold, or a stub or output that cannot be used, exits with 1.
#include <cstdio>
#include <optional>

#include "cli/command.h"
#include "cli/views/console.h"
#include "cli/default_stub.h"
#include "cli/manifest/manifest_reader.h"
#include "cli/signing/patch_signing.h"
#include "cli/path_argument.h"
#include "common/failure.h"
#include "patch/container_writer.h"

namespace Orvane::Cli {
namespace {

constexpr char kOutputOption[] = "-o";
constexpr char kStubOption[] = "--stub";
constexpr char kUnknownOption[] = "unknown option ";
constexpr char kOptionNeedsValue[] = " needs a value";
constexpr char kOneManifest[] = "give exactly one manifest";
constexpr char kNoOutput[] = "give the patch to write with -o PATCH";

struct BuildArguments {
    std::string manifest;
    std::optional<std::string> output;
    std::optional<std::string> stub;
    SigningOptions signing;
};

void Require(BuildArguments& parsed, int manifests) {
    if (manifests != 1) throw UsageError(kOneManifest);
    if (!parsed.output) throw UsageError(kNoOutput);
    if (!parsed.stub) parsed.stub = FindDefaultStub();
    if (!parsed.stub) throw UsageError(kNoDefaultStub);
    RequireCompleteSigning(parsed.signing);
}

BuildArguments ParseBuildArguments(const Arguments& arguments) {
    BuildArguments parsed;
    int manifests = 0;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        bool isOutput = argument == kOutputOption;
        if (TakeSigningOption(arguments, i, parsed.signing)) continue;
        if (isOutput || argument == kStubOption) {
            if (i + 1 == arguments.size()) throw UsageError(argument + kOptionNeedsValue);
            (isOutput ? parsed.output : parsed.stub) = arguments[++i];
        } else if (argument.size() > 1 && argument[0] == '-') {
            throw UsageError(kUnknownOption + argument);
        } else {
            parsed.manifest = argument;
            ++manifests;
        }
    }
    Require(parsed, manifests);
    return parsed;
}

}  // namespace

int RunBuild(const Arguments& arguments) {
    BuildArguments parsed = ParseBuildArguments(arguments);
    std::string stub = AnsiPathArgument(*parsed.stub);
    std::string output = AnsiPathArgument(*parsed.output);
    try {
        ContainerDescription description = ReadManifest(parsed.manifest);
        WritePatchExecutable(stub, description, output);
        if (parsed.signing.Wanted()) SignPatchExecutable(*parsed.output, parsed.signing);
    } catch (const ManifestError& error) {
        PrintLine(stderr, parsed.manifest + ":" + std::to_string(error.Line()) + ": " + error.what());
        return kExitUsage;
    } catch (const MessageFailure& failure) {
        PrintAnsiLine(stderr, failure.Text());
        return kExitFailure;
    }
    return kExitSuccess;
}

}  // namespace Orvane::Cli
