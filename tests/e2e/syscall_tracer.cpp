#include "syscall_tracer.h"

#include <csignal>
#include <cctype>
#include <fstream>
#include <stdexcept>

namespace Orvane::Test {
namespace {

constexpr char kTracer[] = "strace";
constexpr char kProbe[] = "true";
// Follow threads and children, say nothing of their exits, keep the trace out of stderr.
const std::vector<std::string> kQuietFollowing = {"-f", "-qq"};
constexpr char kNoTrace[] = "/dev/null";
constexpr char kPathsOfDescriptors[] = "decode-fds=path";

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ",") + name;
    return text;
}

// Traced runs see their own processes only, where the system allows it (root): the update's
// look through /proc for another holder of the archive then makes the same few calls in every
// run, instead of two for each process of the machine, which would also shift the numbers of
// the calls after it from one run to the next.
constexpr char kIsolator[] = "unshare";
const std::vector<std::string> kOwnProcesses = {"--pid", "--mount-proc", "--kill-child"};
constexpr int kSignalStatus = 128;

bool CanIsolate(const std::string& captureFolder) {
    static const bool can = [&] {
        std::vector<std::string> arguments = kOwnProcesses;
        arguments.push_back(kProbe);
        try {
            return RunChild(kIsolator, arguments, {}, captureFolder).exitCode == 0;
        } catch (const std::runtime_error&) {
            return false;
        }
    }();
    return can;
}

ChildResult Trace(const std::string& traceFile, const std::vector<std::string>& filters,
                  const std::vector<std::string>& command, const ChildOptions& options,
                  const std::string& captureFolder) {
    std::vector<std::string> arguments = kQuietFollowing;
    arguments.insert(arguments.end(), {"-o", traceFile});
    for (const std::string& filter : filters) arguments.insert(arguments.end(), {"-e", filter});
    arguments.push_back("--");
    arguments.insert(arguments.end(), command.begin(), command.end());
    if (!CanIsolate(captureFolder)) return RunChild(kTracer, arguments, options, captureFolder);
    arguments.insert(arguments.begin(), kTracer);
    arguments.insert(arguments.begin(), kOwnProcesses.begin(), kOwnProcesses.end());
    ChildResult result = RunChild(kIsolator, arguments, options, captureFolder);
    // The tracer, first process of its namespace, cannot end itself by the signal that ended
    // the program it traced, and exits with 128 + that signal instead.
    if (result.exitCode > kSignalStatus && result.exitCode < kSignalStatus + NSIG) {
        result.signal = result.exitCode - kSignalStatus;
        result.exitCode = -1;
    }
    return result;
}

// The call a trace line ("1234 openat(AT_FDCWD, ...) = 3") reports; empty for other lines
// ("1234 <... write resumed>) = 5").
std::string CallOf(const std::string& line) {
    std::size_t start = line.find_first_not_of("0123456789 ");
    if (start == std::string::npos) return "";
    auto inName = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
    std::size_t end = start;
    while (end < line.size() && inName(line[end])) ++end;
    return end < line.size() && line[end] == '(' ? line.substr(start, end - start) : "";
}

}  // namespace

std::string TracingProblem(const std::string& captureFolder) {
    ChildResult probe;
    try {
        probe = Trace(kNoTrace, {}, {kProbe}, {}, captureFolder);
    } catch (const std::runtime_error& failure) {
        return std::string(failure.what()) + " (scripts/setup installs strace)";
    }
    if (probe.exitCode == 0) return "";
    return "strace cannot trace a child here (is ptrace refused?), exit " +
           std::to_string(probe.exitCode) + ": " + probe.err;
}

TracedRun CountCalls(const std::vector<std::string>& command, const ChildOptions& options,
                     const std::string& traceFile, const std::string& captureFolder) {
    TracedRun run;
    run.result =
        Trace(traceFile, {"trace=" + Joined(kBreakableCalls)}, command, options, captureFolder);
    std::ifstream trace(traceFile);
    for (std::string line; std::getline(trace, line);) {
        std::string call = CallOf(line);
        if (!call.empty()) ++run.calls[call];
    }
    return run;
}

std::vector<std::string> TraceWithPaths(const std::vector<std::string>& command,
                                        const std::string& filter, const ChildOptions& options,
                                        const std::string& traceFile,
                                        const std::string& captureFolder, ChildResult* result) {
    *result = Trace(traceFile, {filter, kPathsOfDescriptors}, command, options, captureFolder);
    std::vector<std::string> lines;
    std::ifstream trace(traceFile);
    for (std::string line; std::getline(trace, line);) lines.push_back(line);
    return lines;
}

ChildResult RunWithBreak(const std::vector<std::string>& command, const CallBreak& fault,
                         const ChildOptions& options, const std::string& captureFolder) {
    std::string injection =
        "inject=" + fault.call + ":" + fault.action + ":when=" + std::to_string(fault.number);
    return Trace(kNoTrace, {"trace=" + fault.call, injection}, command, options, captureFolder);
}

}  // namespace Orvane::Test
