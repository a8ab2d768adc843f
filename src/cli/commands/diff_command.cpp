// `orvpatch diff OLD... NEW -o PATCH --title TEXT --registry-key KEY [--stub STUB]
//  [--manifest FILE] [--allow-skip] [--no-verify] [--scratch DIR] [--install-path-length N]`:
// a patch made from releases of a game.
//
// Outputs inside a release are refused before anything is read. The releases are compared
// (author/release_diff.h), the paths and the container's limits checked, the patch written
// beside PATCH under a temporary name with its payloads streamed from the releases, applied
// to what every old release shows the run and compared with the new one (author/
// patch_check.h), and only then put in place, with the manifest when one is asked for. What
// no patch can express and a check that fails are reported on stderr with exit status 1, and
// then PATCH and FILE are as they were; argument mistakes exit with 2.
#include <filesystem>
#include <vector>

#include "author/install_path_length.h"
#include "author/patch_check.h"
#include "author/patch_description.h"
#include "author/patch_limits.h"
#include "author/release_diff.h"
#include "author/release_payloads.h"
#include "author/release_warnings.h"
#include "cli/cancel_signal.h"
#include "cli/command.h"
#include "cli/views/console.h"
#include "cli/diff/diff_arguments.h"
#include "cli/diff/diff_output_places.h"
#include "cli/diff/diff_outputs.h"
#include "cli/views/diff_progress_display.h"
#include "cli/signing/patch_signing.h"
#include "cli/views/diff_summary.h"
#include "cli/diff/diff_temporaries.h"
#include "cli/manifest/manifest_writer.h"
#include "common/utf8_path.h"
#include "common/utf8.h"
#include "patch/container_writer.h"

namespace Orvane::Cli {
namespace {

namespace fs = std::filesystem;

struct Releases {
    std::vector<Author::Release> olds;
    Author::Release newer;
};

// The releases as scanned, after what they call for has been said on stderr.
Releases ReadReleases(const DiffArguments& arguments, const Author::DiffOptions& options,
                      DiffProgressDisplay& progress) {
    progress.Begin(Author::kStageReading, 0);
    Releases releases;
    for (const std::string& folder : arguments.olds) {
        releases.olds.push_back(Author::Release::Scan(Common::PathFromUtf8(folder)));
    }
    releases.newer = Author::Release::Scan(Common::PathFromUtf8(arguments.newer));
    std::vector<std::string> warnings =
        Author::ReleaseWarnings(releases.olds, releases.newer, options);
    progress.End();
    PrintWarnings(warnings);
    return releases;
}

// Where the container starts: behind the stub image (whose reading the writer checks).
std::uint64_t StubSize(const DiffArguments& arguments) {
    std::error_code error;
    fs::path stub = Common::PathFromUtf8(Common::Utf8FromAnsi(arguments.stub));
    std::uintmax_t size = fs::file_size(stub, error);
    return error ? 0 : size;
}

fs::path ScratchBase(const DiffArguments& arguments) {
    if (arguments.scratch) return Common::PathFromUtf8(*arguments.scratch);
    fs::path folder = Common::PathFromUtf8(arguments.output).parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

void Check(const DiffArguments& arguments, const std::string& patch, const Releases& releases,
           const Author::PatchPlan& plan, const Author::StopPoll& stop,
           Author::DiffProgress& progress) {
    ScratchFolder scratch(ScratchBase(arguments));
    Author::CheckPatch(patch, releases.olds, releases.newer, plan,
                       {scratch.Path(), arguments.installPathLength}, stop, progress);
}

void MakePatch(const DiffArguments& arguments) {
    DiffProgressDisplay progress;
    Author::StopPoll stop = &CancelSignal::TakeRequest;
    Author::DiffOptions options{arguments.allowSkip, stop, &progress};
    Releases releases = ReadReleases(arguments, options, progress);
    Author::PatchPlan plan = Author::DiffReleases(releases.olds, releases.newer, options);
    Author::RequirePathsFitBelow(plan, arguments.installPathLength);
    ContainerDescription description =
        Author::DescribePatch(plan, arguments.title, arguments.registryKey);
    Author::RequireContainerRoom(description, plan, StubSize(arguments));
    Author::ReleasePayloads payloads(plan, stop, progress);
    DiffOutputs outputs(arguments.output, arguments.manifest);
    progress.Begin(Author::kStageWriting, Author::PayloadBytes(plan));
    WritePatchExecutable(arguments.stub, description, outputs.PatchTemporary(), &payloads);
    if (arguments.verify) {
        Check(arguments, outputs.PatchTemporary(), releases, plan, stop, progress);
    }
    progress.End();  // the signing tool may have things to say
    if (arguments.signing.Wanted()) {
        SignPatchExecutable(Common::Utf8FromAnsi(outputs.PatchTemporary()), arguments.signing);
    }
    if (arguments.manifest) {
        progress.Begin(Author::kStageWriting, Author::PayloadBytes(plan));
        WriteManifest(description, outputs.ManifestTemporary(), outputs.PayloadsTemporary(),
                      outputs.PayloadFolderName(), &payloads);
    }
    progress.End();
    outputs.Commit();
    PrintSkippedCopies(plan, releases.olds);
    PrintSummary({plan, description, releases.olds.size(), arguments.verify, arguments.output,
                  arguments.manifest});
}

}  // namespace

int RunDiff(const ReadOptions& options) {
    DiffArguments parsed = ParseDiffArguments(options);
    RequireOutputsOutsideReleases(parsed);
    CancelSignal interrupt;  // Ctrl-C stops at the next file, and everything made is removed
    MakePatch(parsed);
    return kExitSuccess;
}

const Command& DiffCommand() {
    static const Command command{"diff",
                                 "make a checked patch executable from releases of a game",
                                 "OLD... NEW", DiffOptionTable(), &RunDiff};
    return command;
}

}  // namespace Orvane::Cli
