// orvpatch-apply-console.exe FOLDER PATCH: the run of the Windows program without its dialogs,
// for scripts/bench under Wine. It applies PATCH to FOLDER with the same core and reports how
// long the run took, measured inside the process (so Wine's start-up is not counted), and the
// process's peak working set:
//
//   milliseconds 123
//   peak-kib 4567
//   completed            (or: failed, and the failure's text in code page 932)
//
// orvpatch-apply-console --time COMMAND-LINE runs the command line (cmd /c ..., the baseline
// the bench sets beside the run) and reports its milliseconds the same way, from the moment
// the child is started until it ends; "failed" when it cannot start or ends with an error.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/run_patch.h"
#include "commands/error_messages.h"
#include "commands/silent_progress.h"
#include "patch/container_start.h"

namespace Orvane::Tools {
namespace {

constexpr int kExitCompleted = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

RunOutcome Apply(const std::string& folder, const std::string& patch) {
    ContainerStart start = ReadContainerStart(patch);
    RunInputs inputs;
    inputs.folder = folder;
    if (start.failureText.empty()) {
        inputs.exePath = patch;
        inputs.scriptOffset = start.header.scriptOffset;
        inputs.version = start.header.version;
    }
    CErrorMessages messages;
    return RunPatch(inputs, messages, [] { return std::make_shared<SilentProgress>(); });
}

std::size_t PeakWorkingSetKib() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return counters.PeakWorkingSetSize / 1024;
}

long long NowMilliseconds() {
    LARGE_INTEGER count, frequency;
    ::QueryPerformanceCounter(&count);
    ::QueryPerformanceFrequency(&frequency);
    return count.QuadPart * 1000 / frequency.QuadPart;
}

bool RunChild(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &child)) {
        return false;
    }
    ::WaitForSingleObject(child.hProcess, INFINITE);
    DWORD exitCode = 1;
    ::GetExitCodeProcess(child.hProcess, &exitCode);
    ::CloseHandle(child.hThread);
    ::CloseHandle(child.hProcess);
    return exitCode == 0;
}

int TimeCommand(const std::string& commandLine) {
    long long start = NowMilliseconds();
    bool completed = RunChild(commandLine);
    std::printf("milliseconds %lld\n%s\n", NowMilliseconds() - start,
                completed ? "completed" : "failed");
    return completed ? kExitCompleted : kExitFailed;
}

}  // namespace
}  // namespace Orvane::Tools

int main(int argc, char** argv) {
    using namespace Orvane::Tools;
    if (argc == 3 && std::string(argv[1]) == "--time") return TimeCommand(argv[2]);
    if (argc != 3) {
        std::fputs("usage: orvpatch-apply-console FOLDER PATCH\n"
                   "       orvpatch-apply-console --time COMMAND-LINE\n",
                   stderr);
        return kExitUsage;
    }
    long long start = NowMilliseconds();
    Orvane::RunOutcome outcome = Apply(argv[1], argv[2]);
    long long elapsed = NowMilliseconds() - start;
    std::printf("milliseconds %lld\npeak-kib %zu\n", elapsed, PeakWorkingSetKib());
    std::printf(outcome.completed ? "completed\n" : "failed\n%s\n", outcome.message.c_str());
    return outcome.completed ? kExitCompleted : kExitFailed;
}
