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
#include "cli/cancel_signal.h"
#include "cli/command.h"
#include "cli/views/console.h"
#include "cli/diff/diff_arguments.h"
#include "cli/diff/diff_output_places.h"
#include "cli/diff/diff_outputs.h"
#include "cli/signing/patch_signing.h"
#include "cli/views/diff_summary.h"
#include "cli/diff/diff_temporaries.h"
#include "cli/manifest/manifest_writer.h"
#include "common/utf8_path.h"
#include "common/failure.h"
#include "common/utf8.h"
#include "patch/container_writer.h"

namespace Orvane::Cli {
namespace {

namespace fs = std::filesystem;

constexpr char kFailurePrefix[] = "orvpatch diff: ";

std::vector<Author::Release> ScanOlds(const DiffArguments& arguments) {
    std::vector<Author::Release> olds;
    for (const std::string& folder : arguments.olds) {
        olds.push_back(Author::Release::Scan(Common::PathFromUtf8(folder)));
    }
    return olds;
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

void Check(const DiffArguments& arguments, const std::string& patch,
           const std::vector<Author::Release>& olds, const Author::Release& newer,
           const Author::PatchPlan& plan, const Author::StopPoll& stop) {
    ScratchFolder scratch(ScratchBase(arguments));
    Author::CheckPatch(patch, olds, newer, plan, {scratch.Path(), arguments.installPathLength},
                       stop);
}

void MakePatch(const DiffArguments& arguments) {
    std::vector<Author::Release> olds = ScanOlds(arguments);
    Author::Release newer = Author::Release::Scan(Common::PathFromUtf8(arguments.newer));
    Author::StopPoll stop = &CancelSignal::TakeRequest;
    Author::PatchPlan plan = Author::DiffReleases(olds, newer, {arguments.allowSkip, stop});
    Author::RequirePathsFitBelow(plan, arguments.installPathLength);
    ContainerDescription description =
        Author::DescribePatch(plan, arguments.title, arguments.registryKey);
    Author::RequireContainerRoom(description, plan, StubSize(arguments));
    Author::ReleasePayloads payloads(plan, stop);
    DiffOutputs outputs(arguments.output, arguments.manifest);
    WritePatchExecutable(arguments.stub, description, outputs.PatchTemporary(), &payloads);
    if (arguments.verify) Check(arguments, outputs.PatchTemporary(), olds, newer, plan, stop);
    if (arguments.signing.Wanted()) {
        SignPatchExecutable(Common::Utf8FromAnsi(outputs.PatchTemporary()), arguments.signing);
    }
    if (arguments.manifest) {
        WriteManifest(description, outputs.ManifestTemporary(), outputs.PayloadsTemporary(),
                      outputs.PayloadFolderName(), &payloads);
    }
    outputs.Commit();
    PrintSkippedCopies(plan, olds);
    PrintSummary(
        {plan, description, olds.size(), arguments.verify, arguments.output, arguments.manifest});
}

}  // namespace

int RunDiff(const Arguments& arguments) {
    DiffArguments parsed = ParseDiffArguments(arguments);
    RequireOutputsOutsideReleases(parsed);
    CancelSignal interrupt;  // Ctrl-C stops at the next file, and everything made is removed
    try {
        MakePatch(parsed);
    } catch (const MessageFailure& failure) {
        PrintLine(stderr, kFailurePrefix + Common::Utf8FromAnsi(failure.Text()));
        return kExitFailure;
    } catch (const fs::filesystem_error& error) {  // a folder that vanished while it was read
        PrintLine(stderr, std::string(kFailurePrefix) + error.what());
        return kExitFailure;
    }
    return kExitSuccess;
}

}  // namespace Orvane::Cli
