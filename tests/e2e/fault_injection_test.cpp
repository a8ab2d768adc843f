// `orvpatch apply` with each of its file-changing system calls failed, and killed, in turn:
// a run that fails says why and leaves the installation as it was; one that goes on regardless
// ends as a clean run does; a killed run leaves every file old or new, and the next run
// finishes the work.
#include <gmock/gmock.h>

#include <signal.h>

#include <string>
#include <vector>

#include "apply_texts.h"
#include "fault_fixture.h"

namespace Orvane::Test {
namespace {

namespace Text = ApplyText;
using testing::AnyOf;
using testing::Eq;

// What a run may end with when a call fails under it: the start-up's texts, the copy's, the
// archive update's.
const std::vector<std::string> kFailureTexts = {
    Text::kNoPatchData, Text::kNotFound, Text::kFileSizeWrong, Text::kHeaderReadFailed,
    Text::kScriptLoadFailed, Text::kScriptParseFailed, Text::kSyntaxError,
    Text::kCopyFailed, Text::kCopiedFileMissing,
    Text::kArchiveOpenFailed, Text::kArchiveHeaderFailed, Text::kEntryReadFailed,
    Text::kPayloadMissing, Text::kArchiveReplaceFailed, Text::kTempNameFailed,
    Text::kTempCreateFailed, Text::kWriteFailed};

std::vector<CallBreak> EveryCall(const std::map<std::string, int>& calls, const char* action) {
    std::vector<CallBreak> breaks;
    for (const auto& [call, count] : calls) {
        for (int number = 1; number <= count; ++number) breaks.push_back({call, number, action});
    }
    return breaks;
}

std::string Describe(const CallBreak& fault) {
    return fault.call + " #" + std::to_string(fault.number) + " " + fault.action;
}

std::string LastLine(const std::string& text) {
    std::string trimmed = text.substr(0, text.find_last_not_of('\n') + 1);
    return trimmed.substr(trimmed.rfind('\n') + 1);
}

using FaultInjection = FaultTest;

TEST_P(FaultInjection, AFailedCallFailsTheRunCleanlyOrDoesNotMatter) {
    int failedRuns = 0;
    for (const char* action : {kNoSpace, kInputOutput}) {
        for (const CallBreak& fault : EveryCall(calls_, action)) {
            SCOPED_TRACE(Describe(fault));
            Install();
            ChildResult run = ApplyWithBreak(fault);
            FolderState after = GameState();
            EXPECT_EQ(run.signal, 0);
            if (run.exitCode == 0) {
                EXPECT_EQ(WithoutRewriteTimes(after), WithoutRewriteTimes(patched_));
                continue;
            }
            ++failedRuns;
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_THAT(kFailureTexts, testing::Contains(LastLine(run.err))) << run.err;
            EXPECT_EQ(TemporaryFiles(after), std::vector<std::string>());
            EXPECT_EQ(after, installed_);
        }
    }
    EXPECT_GT(failedRuns, 0) << "no failed call ever failed a run: strace injected nothing";
}

TEST_P(FaultInjection, AKilledRunLeavesOldOrNewFilesAndTheNextRunCompletes) {
    for (const CallBreak& fault : EveryCall(calls_, kKill)) {
        SCOPED_TRACE(Describe(fault));
        Install();
        EXPECT_EQ(ApplyWithBreak(fault).signal, SIGKILL);
        FolderState killed = GameState();
        for (const std::string& path : {kArchivePath, kCopiedPath}) {
            EXPECT_THAT(killed[path].bytes,
                        AnyOf(Eq(installed_.at(path).bytes), Eq(patched_.at(path).bytes)))
                << path;
        }
        ChildResult next = ApplyToGame();
        EXPECT_EQ(next.exitCode, 0) << next.err;
        EXPECT_EQ(next.out, Text::kCompleted + "\n");
        FolderState finished = GameState();
        EXPECT_EQ(WithoutRewriteTimes(WithoutTemporaryFiles(finished)),
                  WithoutRewriteTimes(patched_));
        EXPECT_EQ(TemporaryFiles(finished), std::vector<std::string>())
            << "temporary files of the killed run";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Patches, FaultInjection,
    testing::Values(FaultPatch{"ArchiveUpdate", Utf8(u8R"([[record]]
type = "archive"
path = "data.arc"
revision = 2
remove = [{ name = "背景.bmp", revision = 1 }, { name = "c.txt", revision = 1 }]
add = ["e.txt", "新.bmp"]
)")},
                    FaultPatch{"CopyOverOlderFile", R"([[record]]
type = "copy"
payload = "readme.txt"
folder = "sub"
)"}),
    [](const testing::TestParamInfo<FaultPatch>& info) { return info.param.name; });

}  // namespace
}  // namespace Orvane::Test
