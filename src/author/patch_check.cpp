#include "author/patch_check.h"

#include <filesystem>
#include <random>
#include <set>

#include "app/run_patch.h"
#include "author/host_files.h"
#include "author/diff_context.h"
#include "author/path_key.h"
#include "commands/delete_command.h"
#include "commands/silent_progress.h"
#include "common/failure.h"
#include "patch/container_start.h"

namespace Orvane::Author {
namespace {

namespace fs = std::filesystem;

constexpr char kScratchPrefix[] = "orvpatch-diff-";
constexpr int kScratchAttempts = 100;
constexpr int kRuns = 2;

// A new folder below the temporary folder, removed with everything in it at the end.
class ScratchFolder {
public:
    ScratchFolder() {
        std::error_code error;
        fs::path base = fs::temp_directory_path(error);
        std::random_device random;
        for (int i = 0; i < kScratchAttempts && !error && path_.empty(); ++i) {
            fs::path candidate = base / (kScratchPrefix + std::to_string(random()));
            if (fs::create_directory(candidate, error)) path_ = candidate;
        }
        if (path_.empty()) throw MessageFailure(kNoScratchFolder);
    }
    ~ScratchFolder() {
        std::error_code error;
        fs::remove_all(path_, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

// The folder as the run takes it: code page 932, ending in a separator.
std::string RunFolder(const fs::path& folder) {
    std::u8string utf8 = (folder / "").u8string();
    std::string cp932;
    if (!Cp932Name(std::string(utf8.begin(), utf8.end()), cp932)) {
        throw MessageFailure(kNoScratchFolder);
    }
    return cp932;
}

// A run's display, silent, whose Cancel is the diff's stop.
class StoppableProgress : public SilentProgress {
public:
    explicit StoppableProgress(const StopPoll& stop) : stop_(stop) {}
    void PumpMessages() override {
        if (stop_ && stop_()) {
            asked_ = true;
            RequestCancel();
        }
    }
    bool Asked() const { return asked_; }

private:
    const StopPoll& stop_;
    bool asked_ = false;
};

// stopAtWayMaker: the run may stop at its first record, a delete that finds the folder it
// made way for (patch_plan.h, wayMade).
void Apply(const RunInputs& inputs, const Release& old, const StopPoll& stop,
           bool stopAtWayMaker) {
    CErrorMessages errorMessages;
    auto progress = std::make_shared<StoppableProgress>(stop);
    RunOutcome outcome = RunPatch(inputs, errorMessages, [&progress] { return progress; });
    if (progress->Asked()) throw MessageFailure(kInterrupted);
    if (outcome.completed || (stopAtWayMaker && outcome.message == kUpdateFileNotDeleted)) return;
    Refuse(kApplyFailed, MessagePath(old.Root()) + ": " + outcome.message);
}

// The patched copy against the new release; files in `skippable` may have stayed as they were.
void Compare(const fs::path& copy, const Release& old, const Release& newer,
             const std::set<std::u16string>& skippable) {
    Release result = Release::Scan(copy);
    for (const auto& [key, item] : newer.Items()) {
        if (item.isFolder || skippable.contains(key)) continue;
        const ReleaseItem* there = result.Find(key);
        if (there == nullptr || there->isFolder) Refuse(kFileMissing, InRelease(item.path, old));
        if (!SameContents(result, *there, newer, item)) {
            Refuse(kFileDiffers, InRelease(item.path, old));
        }
    }
    for (const auto& [key, item] : result.Items()) {
        if (!item.isFolder && newer.Find(key) == nullptr) {
            Refuse(kFileLeft, InRelease(item.path, old));
        }
    }
}

std::set<std::u16string> Skippable(const PatchPlan& plan, std::size_t release) {
    std::set<std::u16string> keys;
    for (const SkippedCopy& skipped : plan.skipped) {
        if (skipped.release == release) keys.insert(skipped.key);
    }
    return keys;
}

}  // namespace

void CheckPatch(const std::string& patchPath, const std::vector<Release>& olds,
                const Release& newer, const PatchPlan& plan, const StopPoll& stop) {
    ContainerStart start = ReadContainerStart(patchPath);
    if (!start.failureText.empty()) throw MessageFailure(start.failureText);
    ScratchFolder scratch;
    for (std::size_t i = 0; i < olds.size(); ++i) {
        fs::path copy = scratch.Path() / std::to_string(i);
        CopyTree(olds[i].Root(), copy);
        RunInputs inputs{RunFolder(copy), patchPath, start.header.scriptOffset,
                         start.header.version};
        for (int run = 0; run < kRuns; ++run) {
            StopIfAsked(stop);
            Apply(inputs, olds[i], stop, run > 0 && !plan.wayMade.empty());
            Compare(copy, olds[i], newer, Skippable(plan, i));
        }
    }
}

}  // namespace Orvane::Author
