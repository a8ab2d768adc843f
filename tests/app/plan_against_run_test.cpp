// The dry run against the run: a few hundred random installations with random patches over them
// (ReleaseGenerator::Trial), each planned and then carried out record by record on the same
// fresh folder. Every record the run reaches must end as the plan said, with its failure text,
// and a whole run on a second copy must end as the plan said.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "support/release_generator.h"
#include "support/archive_builder.h"
#include "app/newer_files.h"
#include "app/run_plan.h"
#include "app/run_patch.h"
#include "commands/archive_update.h"
#include "commands/delete_command.h"
#include "commands/progress_text.h"
#include "commands/silent_progress.h"
#include "common/failure.h"
#include "support/folder_state.h"
#include "patch/patch_texts.h"
#include "support/recording_progress.h"
#include "support/temp_folder.h"
#include "support/text.h"

namespace Orvane {

void PrintTo(PlannedAction action, std::ostream* out) {
    constexpr const char* kNames[] = {"copy",   "skip-newer", "skip-newer-differs",
                                      "delete", "absent",     "rebuild",
                                      "skip-revision", "fail"};
    *out << kNames[static_cast<int>(action)];
}

namespace Test {
namespace {

constexpr unsigned kSeed = 20261209;
constexpr int kTrials = 300;
// Every third trial is also run whole by RunPatch, on a copy of its own.
constexpr int kWholeRunEvery = 3;

// What the run did with one record.
struct Done {
    PlannedAction action = PlannedAction::Fail;
    std::string failure;
};

// Whether the file at path (found as the platform finds it) holds exactly bytes.
bool Holds(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    Common::FileStream file;
    if (!file.Open(path, Common::OpenExisting, Common::FileAccess::Read, Common::FileShare::Read) ||
        file.GetLength() != static_cast<std::int64_t>(bytes.size())) {
        return false;
    }
    std::vector<std::uint8_t> read(bytes.size());
    return bytes.empty() || (file.Read(read.data(), static_cast<std::uint32_t>(read.size())) &&
                             read == bytes);
}

// Whether the update put a new archive in place: an archive rebuilt without a change of its
// bytes in the second in which an earlier record wrote it looks the same on the disk.
bool Rebuilt(const ICmdParams& command, const RecordingProgress& progress) {
    std::string swapping =
        FormatWithName(kReplacingFormat, static_cast<const ArchiverParams&>(command).GetName());
    return std::find(progress.texts.begin(), progress.texts.end(), swapping) !=
           progress.texts.end();
}

// What a record did, told by the folder before and after it (and for an archive, its display).
PlannedAction ActionOf(const ICmdParams& command, bool changed, const RecordingProgress& progress,
                       const ContainerDescription& patch) {
    switch (command.type) {
        case kCopyCommand: {
            if (changed) return PlannedAction::Copy;
            const auto& copy = static_cast<const CopyParams&>(command);
            bool same = Holds(copy.GetFullPath(), patch.payloads[copy.fileIndex].data);
            return same ? PlannedAction::SkipNewer : PlannedAction::SkipNewerDiffers;
        }
        case kDeleteCommand: return changed ? PlannedAction::Delete : PlannedAction::Absent;
        default:
            if (Rebuilt(command, progress)) return PlannedAction::Rebuild;
            return PlannedAction::SkipRevision;
    }
}

void Execute(ICmdParams& command, const std::string& folder, CPatchScript& script,
             const NewerFileDecision& replaceNewer, RecordingProgress& progress) {
    CErrorMessages errors;
    switch (command.type) {
        case kCopyCommand:
            CmdCopy(progress, folder, static_cast<CopyParams&>(command), errors, replaceNewer);
            break;
        case kDeleteCommand:
            CmdDelete(progress, folder, static_cast<DeleteParams&>(command));
            break;
        default: UpdateArchive(progress, folder, script, static_cast<ArchiverParams&>(command));
    }
}

// The run's records one at a time, as RunPatch carries them out, up to the first that fails.
std::vector<Done> RunRecordByRecord(const RunInputs& inputs, NewerFiles newer,
                                    const ContainerDescription& patch, const std::string& host) {
    std::vector<std::string> kept;
    NewerFileDecision replaceNewer = DecideNewerFiles(newer, kept);
    CPatchScript script(inputs.exePath, inputs.scriptOffset, inputs.version);
    std::vector<Done> done;
    for (;;) {
        std::shared_ptr<ICmdParams> command = script.NextCommand();
        if (!command || command->type < 0) return done;
        FolderState before = ReadFolderState(host);
        RecordingProgress progress;
        try {
            Execute(*command, FolderWithSeparator(inputs.folder), script, replaceNewer, progress);
        } catch (const MessageFailure& failure) {
            done.push_back({PlannedAction::Fail, failure.Text()});
            return done;
        } catch (const PlainFailure&) {
            done.push_back({PlannedAction::Fail, kSyntaxError});
            return done;
        }
        bool changed = ReadFolderState(host) != before;
        done.push_back({ActionOf(*command, changed, progress, patch), ""});
    }
}

// The files below a folder and their bytes: a rebuilt archive's time is that of its run.
std::map<std::string, std::vector<std::uint8_t>> Contents(const std::string& host) {
    std::map<std::string, std::vector<std::uint8_t>> contents;
    for (auto& [path, entry] : ReadFolderState(host)) contents[path] = entry.bytes;
    return contents;
}

TEST(PlanAgainstRun, EveryRecordTheRunReachesEndsAsPlanned) {
    ReleaseGenerator generator(kSeed);
    std::map<PlannedAction, int> seen;
    for (int trialIndex = 0; trialIndex < kTrials; ++trialIndex) {
        PatchTrial trial = generator.Trial();
        NewerFiles newer = trialIndex % 3 == 0 ? NewerFiles::ReplaceDiffering : NewerFiles::Keep;
        SCOPED_TRACE("trial " + std::to_string(trialIndex));
        TempFolder root;
        const std::string stepwise = Utf8(root.Path()) + "stepwise";
        WriteRelease(trial.installation, stepwise);
        const PatchFile patch = WritePatchFile(root, trial.patch);
        RunInputs inputs{root / "stepwise", patch.path, patch.scriptOffset, patch.version};

        RunPlan plan = PlanRun(inputs, newer);
        std::vector<Done> done = RunRecordByRecord(inputs, newer, trial.patch, stepwise);

        ASSERT_LE(done.size(), plan.records.size());
        for (std::size_t i = 0; i < done.size(); ++i) {
            SCOPED_TRACE("record " + std::to_string(i));
            EXPECT_EQ(plan.records[i].action, done[i].action);
            EXPECT_EQ(Utf8(plan.records[i].failure), Utf8(done[i].failure));
            ++seen[done[i].action];
        }
        std::string ended = done.empty() ? "" : done.back().failure;
        EXPECT_EQ(Utf8(plan.failure), Utf8(ended));
        if (trialIndex % kWholeRunEvery == 0) {
            const std::string whole = Utf8(root.Path()) + "whole";
            WriteRelease(trial.installation, whole);
            CErrorMessages errors;
            std::vector<std::string> kept;
            RunOutcome outcome =
                RunPatch({root / "whole", patch.path, patch.scriptOffset, patch.version}, errors,
                         [] { return std::make_shared<SilentProgress>(); },
                         DecideNewerFiles(newer, kept));
            EXPECT_EQ(Utf8(ended), outcome.completed ? "" : Utf8(outcome.message));
            EXPECT_EQ(Contents(whole), Contents(stepwise)) << "the run does what the steps did";
        }
        if (testing::Test::HasFailure()) return;
    }
    for (PlannedAction action :
         {PlannedAction::Copy, PlannedAction::SkipNewer, PlannedAction::SkipNewerDiffers,
          PlannedAction::Delete, PlannedAction::Absent, PlannedAction::Rebuild,
          PlannedAction::SkipRevision, PlannedAction::Fail}) {
        EXPECT_GT(seen[action], 0) << "no trial ended a record with action "
                                   << static_cast<int>(action);
    }
}

}  // namespace
}  // namespace Test
}  // namespace Orvane
