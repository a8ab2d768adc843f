// `orvpatch apply` where the machine is not as simple as a desktop's: inside a PID namespace
// of its own, among processes whose files lie on file systems that may never answer, on a
// full disk, and on file systems that report a failed write only at close.
#include <gmock/gmock.h>

#include <map>
#include <regex>
#include <string>
#include <vector>

#include "apply_fixture.h"
#include "apply_texts.h"
#include "patch_maker.h"
#include "syscall_tracer.h"

namespace Orvane::Test {
namespace {

namespace Text = ApplyText;
using Tools::LinkArchive;
using Tools::LinkEntry;

// Larger than the smallest run the kernel copies itself, so the kept entry goes through
// copy_file_range.
constexpr std::size_t kLargeEntry = 256 * 1024;
constexpr char kTrace[] = "trace.txt";

LinkEntry Entry(const std::string& name, const std::string& bytes) {
    LinkEntry entry;
    entry.name = name;
    entry.data.assign(bytes.begin(), bytes.end());
    return entry;
}

std::string LastLine(const std::string& text) {
    std::string trimmed = text.substr(0, text.find_last_not_of('\n') + 1);
    return trimmed.substr(trimmed.rfind('\n') + 1);
}

// An installation with a large archive in a subfolder and a file to replace; a patch that
// updates the one and copies the other.
class HostileSurroundings : public ApplyTest {
protected:
    void SetUp() override {
        std::string problem = TracingProblem(RootPath());
        if (!problem.empty()) GTEST_SKIP() << problem;
        Install();
        ContainerDescription description;
        description.title = "t";
        description.registryKey = "Software\\Orvane\\Hostile";
        description.payloads = {Payload("e.txt", "added"), Payload("readme.txt", "new readme")};
        description.records = {ArchiveRecord{"data\\big.arc", 2, {}, {{0, 0}}},
                               CopyRecord{"sub\\", 1}};
        WritePatch(description);
        installed_ = GameState();
    }

    void Install() const {
        WriteGameArchive("data/big.arc",
                         LinkArchive{"LINK6", "DATA", 1,
                                     {Entry("big.bin", std::string(kLargeEntry, 'b')),
                                      Entry("small.txt", "small")}});
        WriteGameFile("sub/readme.txt", "old readme");
    }

    std::vector<std::string> ApplyCommand() const {
        return {ORVPATCH_PROGRAM, "apply", "--folder", GamePath(), PatchPath()};
    }
    ChildResult ApplyWithBreak(const CallBreak& fault) const {
        return RunWithBreak(ApplyCommand(), fault, DefaultOptions(), RootPath());
    }
    std::vector<std::string> TraceApply(const std::string& filter, ChildResult* result) const {
        return TraceWithPaths(ApplyCommand(), filter, DefaultOptions(), RootPath(kTrace),
                              RootPath(), result);
    }
    // The run failed with text and left the installation as it was, without debris.
    void ExpectCleanFailure(const ChildResult& run, const std::string& text) const {
        EXPECT_EQ(run.exitCode, 1) << run.err;
        EXPECT_EQ(LastLine(run.err), text) << run.err;
        EXPECT_EQ(GameState(), installed_);
    }

    FolderState installed_;
};

// A full disk or an exhausted quota met while the kernel copies a kept entry is the write's
// failure, not a read's.
TEST_F(HostileSurroundings, AFullDiskDuringARangeCopyIsAWriteFailure) {
    for (const char* error : {"error=ENOSPC", "error=EDQUOT", "error=EFBIG"}) {
        SCOPED_TRACE(error);
        ExpectCleanFailure(ApplyWithBreak({"copy_file_range", 1, error}), Text::kWriteFailed);
    }
}

// A file system that writes data out only at close (NFS, FUSE) reports a failed write there:
// a failed close of a written temporary file fails the run before its file is swapped in.
// Closes of the same file that wrote nothing (after its creation, after the flush) may fail
// without harm.
TEST_F(HostileSurroundings, AFailedCloseOfAWrittenTemporaryFileFailsTheRun) {
    ChildResult clean;
    std::vector<std::string> closes = TraceApply("trace=close", &clean);
    ASSERT_EQ(clean.exitCode, 0) << clean.err;
    const std::regex temporary(R"(^[\d ]*close\(\d+<.*/(data|sub)/tmp[0-9A-F]+\.TMP>\))");
    std::map<std::string, int> failedRuns;  // by the folder of the temporary file
    for (std::size_t i = 0; i < closes.size(); ++i) {
        std::smatch match;
        if (!std::regex_search(closes[i], match, temporary)) continue;
        SCOPED_TRACE(closes[i]);
        Install();
        ChildResult run = ApplyWithBreak({"close", static_cast<int>(i + 1), "error=EIO"});
        FolderState after = GameState();
        EXPECT_EQ(TemporaryFiles(after), std::vector<std::string>());
        if (run.exitCode == 0) continue;
        ++failedRuns[match[1]];
        EXPECT_THAT(LastLine(run.err), testing::AnyOf(Text::kWriteFailed, Text::kCopyFailed));
        EXPECT_EQ(after.at("sub/readme.txt"), installed_.at("sub/readme.txt"));
        // The archive update comes first: a copy that fails finds it done.
        if (match[1] == "data") {
            EXPECT_EQ(after, installed_);
        }
    }
    EXPECT_EQ(failedRuns["data"], 1) << "the temporary archive's failed close went unseen";
    EXPECT_EQ(failedRuns["sub"], 1) << "the copy's failed close went unseen";
}

// The check for another process holding the archive reads what /proc keeps (fdinfo, maps,
// mountinfo) and never asks for the attributes of what a /proc/PID/fd link points to, which
// would call into that file's file system: a dead FUSE server or a hard NFS mount there would
// hang the run for good. Proven on the calls made: no stat, readlink or open of such a link.
TEST_F(HostileSurroundings, TheInUseCheckNeverFollowsAnotherProcessesDescriptors) {
    ChildResult run;
    std::vector<std::string> calls =
        TraceApply("trace=%stat,readlink,readlinkat,open,openat,openat2,access,faccessat,"
                   "faccessat2,getxattr,lgetxattr",
                   &run);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    const std::regex descriptorLink(R"(/proc/(\d+|self)/fd(/|>, "))");
    int looked = 0;
    for (const std::string& call : calls) {
        if (call.find("/fdinfo") != std::string::npos) ++looked;
        EXPECT_FALSE(std::regex_search(call, descriptorLink)) << call;
    }
    EXPECT_GT(looked, 0) << "the check looked at no process's descriptors";
}

// A run flushes each folder whose entries it changed once, after its last swap, not once per
// swapped file: the archive's folder, swapped into first, is flushed after the copy's rename.
TEST_F(HostileSurroundings, EachChangedFolderIsFlushedOnceWhenTheRunEnds) {
    ChildResult run;
    std::vector<std::string> calls = TraceApply("trace=fsync,rename", &run);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::regex folderFlush(R"(fsync\(\d+<.*/(data|sub)>\))");
    std::map<std::string, int> flushes;
    bool flushed = false;
    for (const std::string& call : calls) {
        std::smatch match;
        if (call.find("rename(") != std::string::npos) {
            EXPECT_FALSE(flushed) << "a folder was flushed before this swap: " << call;
        } else if (std::regex_search(call, match, folderFlush)) {
            ++flushes[match[1]];
            flushed = true;
        }
    }
    EXPECT_EQ(flushes, (std::map<std::string, int>{{"data", 1}, {"sub", 1}}));
}

// Run inside a new PID namespace whose /proc is still the parent's (`unshare --pid --fork`
// without a /proc of its own), the run knows its own descriptor on the archive for its own.
TEST_F(HostileSurroundings, ARunInsideAPidNamespaceKnowsItsOwnDescriptors) {
    std::vector<std::string> arguments = {"--pid", "--fork"};
    std::vector<std::string> command = ApplyCommand();
    arguments.insert(arguments.end(), command.begin(), command.end());
    ChildResult probe = RunChild("unshare", {"--pid", "--fork", "true"}, {}, RootPath());
    if (probe.exitCode != 0) GTEST_SKIP() << "unshare --pid is not permitted here: " << probe.err;
    ChildResult run = RunChild("unshare", arguments, DefaultOptions(), RootPath());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, Text::kCompleted + "\n");
}

}  // namespace
}  // namespace Orvane::Test
