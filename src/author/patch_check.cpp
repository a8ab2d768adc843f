#include "author/patch_check.h"

#include <set>

#include "app/run_patch.h"
#include "author/diff_context.h"
#include "author/host_files.h"
#include "author/run_folder.h"
#include "author/scratch_tree.h"
#include "commands/delete_command.h"
#include "commands/silent_progress.h"
#include "common/failure.h"
#include "patch/container_start.h"

namespace Orvane::Author {
namespace {

namespace fs = std::filesystem;

constexpr int kRuns = 2;

using Keys = std::set<std::u16string>;

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

// An old release after a run: the scratch tree where the run could see, the release itself
// everywhere else.
class PatchedRelease {
public:
    PatchedRelease(const Release& old, const fs::path& tree, const Keys& copied)
        : old_(old), tree_(Release::Scan(tree)), copied_(copied) {}

    // The file under key: the tree's where the run could see it or made it, the release's
    // elsewhere; nothing where there is none.
    std::pair<const Release*, const ReleaseItem*> File(const std::u16string& key) const {
        const Release& holder = InTree(key) ? tree_ : old_;
        const ReleaseItem* item = holder.Find(key);
        if (item == nullptr || item->isFolder) return {nullptr, nullptr};
        return {&holder, item};
    }

    // Every file of the patched release.
    template <typename Visit>
    void ForEachFile(Visit visit) const {
        for (const Release* release : {&tree_, &old_}) {
            for (const auto& [key, item] : release->Items()) {
                if (item.isFolder) continue;
                if (release == &old_ && InTree(key)) continue;
                visit(key, item);
            }
        }
    }

private:
    bool InTree(const std::u16string& key) const {
        return copied_.contains(key) || tree_.Find(key) != nullptr;
    }

    const Release& old_;
    Release tree_;
    const Keys& copied_;
};

// The patched release against the new one; files in `skippable` may have stayed as they were.
void Compare(const PatchedRelease& patched, const Release& old, const Release& newer,
             const Keys& skippable, DiffProgress& progress) {
    for (const auto& [key, item] : newer.Items()) {
        progress.Advance(item.size);
        if (item.isFolder || skippable.contains(key)) continue;
        auto [holder, there] = patched.File(key);
        if (there == nullptr) Refuse(kFileMissing, InRelease(item.path, old));
        if (!SameContents(*holder, *there, newer, item)) {
            Refuse(kFileDiffers, InRelease(item.path, old));
        }
    }
    patched.ForEachFile([&](const std::u16string& key, const ReleaseItem& item) {
        if (newer.Find(key) == nullptr) Refuse(kFileLeft, InRelease(item.path, old));
    });
}

Keys Skippable(const PatchPlan& plan, std::size_t release) {
    Keys keys;
    for (const SkippedCopy& skipped : plan.skipped) {
        if (skipped.release == release) keys.insert(skipped.key);
    }
    return keys;
}

// A folder removed with everything in it when the check of a release ends, however it ends.
struct RemovedAtEnd {
    fs::path path;
    ~RemovedAtEnd() {
        std::error_code error;
        fs::remove_all(path, error);
    }
};

void CheckRelease(const RunInputs& patch, const Release& old, std::size_t index,
                  const Release& newer, const PatchPlan& plan, const CheckPlace& place,
                  const StopPoll& stop, DiffProgress& progress) {
    RemovedAtEnd base{place.scratch / std::to_string(index)};
    std::error_code error;
    fs::create_directory(base.path, error);
    RunFolder folder(base.path, place.installPathLength);
    ScratchTree tree = CopyWhatTheRunOpens(old, plan, folder.Host());
    RunInputs inputs = patch;
    inputs.folder = folder.AsRunTakesIt();
    for (int run = 0; run < kRuns; ++run) {
        StopIfAsked(stop);
        Apply(inputs, old, stop, run > 0 && !plan.wayMade.empty());
        RequireLinkedUnchanged(tree);
        Compare(PatchedRelease(old, folder.Host(), tree.keys), old, newer,
                Skippable(plan, index), progress);
    }
}

}  // namespace

void CheckPatch(const std::string& patchPath, const std::vector<Release>& olds,
                const Release& newer, const PatchPlan& plan, const CheckPlace& place,
                const StopPoll& stop, DiffProgress& progress) {
    progress.Begin(kStageChecking, newer.FileBytes() * kRuns * olds.size());
    ContainerStart start = ReadContainerStart(patchPath);
    if (!start.failureText.empty()) throw MessageFailure(start.failureText);
    RunInputs patch{"", patchPath, start.header.scriptOffset, start.header.version};
    for (std::size_t i = 0; i < olds.size(); ++i) {
        CheckRelease(patch, olds[i], i, newer, plan, place, stop, progress);
    }
}

}  // namespace Orvane::Author
