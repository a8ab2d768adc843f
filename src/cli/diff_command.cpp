// `orvpatch diff OLD... NEW -o PATCH --title TEXT --registry-key KEY [--stub STUB]
//  [--manifest FILE] [--allow-skip] [--no-verify]`: a patch made from releases of a game.
//
// The releases are compared (author/release_diff.h), the patch is written beside PATCH under a
// temporary name, applied to a scratch copy of every old release and compared with the new one
// (author/patch_check.h), and only then put in place, with the manifest when one is asked for.
// What no patch can express and a check that fails are reported on stderr with exit status 1,
// and then nothing is left at PATCH or FILE; argument mistakes exit with 2.
#include <filesystem>
#include <vector>

#include "author/patch_check.h"
#include "author/patch_description.h"
#include "author/release_diff.h"
#include "cli/cancel_signal.h"
#include "cli/command.h"
#include "cli/console.h"
#include "cli/diff_arguments.h"
#include "cli/diff_outputs.h"
#include "cli/patch_signing.h"
#include "cli/diff_summary.h"
#include "cli/manifest_writer.h"
#include "cli/utf8_path.h"
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
        olds.push_back(Author::Release::Scan(PathFromUtf8(folder)));
    }
    return olds;
}

void MakePatch(const DiffArguments& arguments, DiffOutputs& outputs) {
    std::vector<Author::Release> olds = ScanOlds(arguments);
    Author::Release newer = Author::Release::Scan(PathFromUtf8(arguments.newer));
    Author::StopPoll stop = &CancelSignal::TakeRequest;
    Author::PatchPlan plan = Author::DiffReleases(olds, newer, {arguments.allowSkip, stop});
    ContainerDescription description =
        Author::DescribePatch(plan, arguments.title, arguments.registryKey, stop);
    WritePatchExecutable(arguments.stub, description, outputs.PatchTemporary());
    if (arguments.verify) Author::CheckPatch(outputs.PatchTemporary(), olds, newer, plan, stop);
    if (arguments.signing.Wanted()) {
        SignPatchExecutable(Common::Utf8FromAnsi(outputs.PatchTemporary()), arguments.signing);
    }
    if (arguments.manifest) {
        WriteManifest(description, outputs.ManifestTemporary(), outputs.PayloadsTemporary(),
                      outputs.PayloadFolderName());
    }
    outputs.Commit();
    PrintSkippedCopies(plan, olds);
    PrintSummary(
        {plan, description, olds.size(), arguments.verify, arguments.output, arguments.manifest});
}

}  // namespace

int RunDiff(const Arguments& arguments) {
    DiffArguments parsed = ParseDiffArguments(arguments);
    DiffOutputs outputs(parsed.output, parsed.manifest);
    CancelSignal interrupt;  // Ctrl-C stops at the next file, and everything made is removed
    try {
        MakePatch(parsed, outputs);
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
