#include "fault_fixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/text.h"
#include "tools/minimal_image.h"

namespace Orvane::Test {
namespace {

namespace fs = std::filesystem;

constexpr char kWorkFolder[] = "work/";
constexpr char kOldArchive[] = "old.arc";
constexpr char kManifest[] = "patch.toml";
constexpr char kStub[] = "stub.exe";
constexpr char kTrace[] = "trace.txt";

// The old archive's entries (files below work/old/) and the new files (below work/new/).
const std::vector<std::pair<std::string, std::string>> kOldEntries = {
    {"a.txt", "kept first"}, {Utf8(u8"背景.bmp"), "BM removed"},
    {"c.txt", "removed too"}, {"d.txt", "kept last"}};
const std::vector<std::pair<std::string, std::string>> kNewFiles = {
    {"e.txt", "added first"}, {Utf8(u8"新.bmp"), "BM added last"}, {"readme.txt", "new readme"}};
constexpr char kOldReadme[] = "old readme";

const std::string kManifestHead = Utf8(u8R"(title = "faults"
registry-key = 'Software\Orvane\Faults'

[[payload]]
file = "new/e.txt"

[[payload]]
file = "new/新.bmp"

[[payload]]
file = "new/readme.txt"
created = 2024-03-05T14:30:00
modified = 2024-03-05T14:30:00

)");

fs::path HostPath(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Slurp(const std::string& utf8) {
    std::ifstream in(HostPath(utf8), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

void FaultTest::SetUp() {
    std::string problem = TracingProblem(WorkPath(""));
    ASSERT_EQ(problem, "") << "these tests drive orvpatch under strace";
    ASSERT_NO_FATAL_FAILURE(MakeOldArchive());
    ASSERT_NO_FATAL_FAILURE(BuildPatch());
    Install();
    installed_ = GameState();
    TracedRun clean = CountCalls(ApplyCommand(), DefaultOptions(), WorkPath(kTrace), WorkPath(""));
    ASSERT_EQ(clean.result.exitCode, 0) << clean.result.err;
    ASSERT_GT(clean.calls["openat"], 0) << "the trace of the clean run is empty";
    calls_ = clean.calls;
    for (const auto& [call, count] : calls_) RecordProperty(call, count);  // the points covered
    patched_ = GameState();
    ASSERT_NE(patched_, installed_) << "the patch changes nothing";
}

void FaultTest::Install() const {
    fs::remove_all(HostPath(GamePath()));
    WriteGameFile(kArchivePath, oldArchive_);
    WriteGameFile(kCopiedPath, kOldReadme);
}

ChildResult FaultTest::ApplyWithBreak(const CallBreak& fault) const {
    return RunWithBreak(ApplyCommand(), fault, DefaultOptions(), WorkPath(""));
}

std::string FaultTest::WorkPath(const std::string& relative) const {
    return RootPath(kWorkFolder + relative);
}

void FaultTest::WriteWorkFile(const std::string& relative, const std::string& bytes) const {
    fs::path path = HostPath(WorkPath(relative));
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

ChildResult FaultTest::RunTool(const std::vector<std::string>& arguments) const {
    return RunChild(ORVPATCH_PROGRAM, arguments, DefaultOptions(), WorkPath(""));
}

void FaultTest::MakeOldArchive() {
    std::vector<std::string> arguments = {"arc", "create", WorkPath(kOldArchive), "--layout",
                                          "LINK6", "--revision", "1", "--tag", "DATA",
                                          "-C", WorkPath("old")};
    for (const auto& [name, bytes] : kOldEntries) {
        WriteWorkFile("old/" + name, bytes);
        arguments.push_back(name);
    }
    ChildResult made = RunTool(arguments);
    ASSERT_EQ(made.exitCode, 0) << made.err;
    oldArchive_ = Slurp(WorkPath(kOldArchive));
}

void FaultTest::BuildPatch() const {
    for (const auto& [name, bytes] : kNewFiles) WriteWorkFile("new/" + name, bytes);
    WriteWorkFile(kManifest, kManifestHead + GetParam().records);
    std::string stub = WorkPath(kStub);
    Tools::WriteMinimalImage(Cp932(std::u8string(stub.begin(), stub.end())));
    ChildResult built = RunTool({"build", WorkPath(kManifest), "-o", PatchPath(), "--stub", stub});
    ASSERT_EQ(built.exitCode, 0) << built.err;
}

std::vector<std::string> FaultTest::ApplyCommand() const {
    return {ORVPATCH_PROGRAM, "apply", "--folder", GamePath(), PatchPath()};
}

FolderState WithoutRewriteTimes(FolderState state) {
    auto archive = state.find(kArchivePath);
    if (archive != state.end()) archive->second.modified = 0;
    return state;
}

FolderState WithoutTemporaryFiles(FolderState state) {
    for (const std::string& path : TemporaryFiles(state)) state.erase(path);
    return state;
}

}  // namespace Orvane::Test
