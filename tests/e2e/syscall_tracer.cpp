#include "syscall_tracer.h"

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

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ",") + name;
    return text;
}

ChildResult Trace(const std::string& traceFile, const std::vector<std::string>& filters,
                  const std::vector<std::string>& command, const ChildOptions& options,
                  const std::string& captureFolder) {
    std::vector<std::string> arguments = kQuietFollowing;
    arguments.insert(arguments.end(), {"-o", traceFile});
    for (const std::string& filter : filters) arguments.insert(arguments.end(), {"-e", filter});
    arguments.push_back("--");
    arguments.insert(arguments.end(), command.begin(), command.end());
    return RunChild(kTracer, arguments, options, captureFolder);
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

ChildResult RunWithBreak(const std::vector<std::string>& command, const CallBreak& fault,
                         const ChildOptions& options, const std::string& captureFolder) {
    std::string injection =
        "inject=" + fault.call + ":" + fault.action + ":when=" + std::to_string(fault.number);
    return Trace(kNoTrace, {"trace=" + fault.call, injection}, command, options, captureFolder);
}

}  // namespace Orvane::Test
