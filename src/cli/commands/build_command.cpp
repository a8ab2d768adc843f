// orvpatch build MANIFEST -o PATCH [--stub STUB] [signing options]
//
// Without --stub the Windows patch program is the stub (see default_stub.h). With the signing
// options (signing_options.h) the written patch is signed, container included.
//
// Builds a patch executable: the stub image followed by the container that the manifest
// describes. A manifest that cannot be read or holds a mistake (reported with its line), a
// container the format cannot hold, or a stub or output that cannot be used, exits with 1.
#include <optional>

#include "cli/command.h"
#include "cli/default_stub.h"
#include "cli/manifest/manifest_reader.h"
#include "cli/signing/patch_signing.h"
#include "cli/path_argument.h"
#include "patch/container_writer.h"

namespace Orvane::Cli {
namespace {

constexpr char kOutputOption[] = "--output";
constexpr char kOutputShort[] = "-o";
constexpr char kStubOption[] = "--stub";
constexpr char kOneManifest[] = "give exactly one manifest";
constexpr char kNoOutput[] = "give the patch to write with -o PATCH";

struct BuildArguments {
    std::string manifest;
    std::string output;
    std::string stub;
    SigningOptions signing;
};

BuildArguments ParseBuildArguments(const ReadOptions& options) {
    if (options.operands.size() != 1) throw UsageError(kOneManifest);
    if (!options.Has(kOutputOption)) throw UsageError(kNoOutput);
    std::optional<std::string> stub =
        options.Has(kStubOption) ? options.Value(kStubOption) : FindDefaultStub();
    if (!stub) throw UsageError(kNoDefaultStub);
    return {options.operands.front(), options.Value(kOutputOption), *stub,
            ReadSigningOptions(options)};
}

// A manifest mistake names the manifest and the line it is on; a manifest that cannot be
// read as a whole names no line.
ContainerDescription ReadManifestOrFail(const std::string& manifest) {
    try {
        return ReadManifest(manifest);
    } catch (const ManifestError& error) {
        std::string line = error.Line() == 0 ? "" : ":" + std::to_string(error.Line());
        throw CommandFailure(manifest + line + ": " + error.what());
    }
}

}  // namespace

int RunBuild(const ReadOptions& options) {
    BuildArguments parsed = ParseBuildArguments(options);
    std::string stub = AnsiPathArgument(parsed.stub);
    std::string output = AnsiPathArgument(parsed.output);
    ContainerDescription description = ReadManifestOrFail(parsed.manifest);
    WritePatchExecutable(stub, description, output);
    if (parsed.signing.Wanted()) SignPatchExecutable(parsed.output, parsed.signing);
    return kExitSuccess;
}

const Command& BuildCommand() {
    static const Command command{
        "build", "build a patch executable from a manifest", "MANIFEST",
        WithSigningOptions({
            {kOutputOption, kOutputShort, "PATCH", false, true, "the patch executable to write"},
            {kStubOption, nullptr, "STUB", false, false,
             "the patch program to put the container behind (default: the installed one)"},
        }),
        &RunBuild};
    return command;
}

}  // namespace Orvane::Cli
