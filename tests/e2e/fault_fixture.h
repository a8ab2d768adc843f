// An installation and one patch made with our own tools (`orvpatch arc create`, `orvpatch
// build`), for running `orvpatch apply` with one system call failed or killed at a time.
//
// The installation holds an old LINK6 archive (data.arc) and an older file in a subfolder
// (sub/readme.txt); each patch changes one of them. SetUp counts the calls of a clean run and
// keeps the folder it leaves.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "apply_fixture.h"
#include "syscall_tracer.h"

namespace Orvane::Test {

inline const std::string kArchivePath = "data.arc";
inline const std::string kCopiedPath = "sub/readme.txt";

struct FaultPatch {
    const char* name;
    std::string records;  // the manifest's [[record]] tables
};

inline void PrintTo(const FaultPatch& patch, std::ostream* out) { *out << patch.name; }

class FaultTest : public ApplyTest, public testing::WithParamInterface<FaultPatch> {
protected:
    void SetUp() override;

    // Lays the old installation afresh.
    void Install() const;
    ChildResult ApplyWithBreak(const CallBreak& fault) const;

    std::map<std::string, int> calls_;  // of a clean run, by name
    FolderState installed_;             // as Install leaves it
    FolderState patched_;               // as a clean run leaves it

private:
    std::string WorkPath(const std::string& relative) const;
    void WriteWorkFile(const std::string& relative, const std::string& bytes) const;
    ChildResult RunTool(const std::vector<std::string>& arguments) const;
    void MakeOldArchive();
    void BuildPatch() const;
    std::vector<std::string> ApplyCommand() const;

    std::string oldArchive_;
};

// The state without the time of the rebuilt archive, which is the time of the run that wrote
// it; every other time (the copied file's payload time above all) stays compared.
FolderState WithoutRewriteTimes(FolderState state);
FolderState WithoutTemporaryFiles(FolderState state);

}  // namespace Orvane::Test
