// Runs a program under strace, which counts its system calls or breaks one of them from the
// outside: the program needs no hooks of its own for being failed or killed at any call.
//
// Each break names one system call; strace counts the calls of every name in its set apart,
// so "openat number 7" is the seventh openat whatever else the program called meanwhile.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "support/child_process.h"

namespace Orvane::Test {

// The calls that write, create, swap or flush files, broken one at a time.
inline const std::vector<std::string> kBreakableCalls = {
    "write", "openat", "rename", "renameat", "renameat2", "fsync", "fdatasync",
    "copy_file_range"};

// What strace does at the chosen call, in its own words.
inline constexpr char kNoSpace[] = "error=ENOSPC";       // the call fails: disk full
inline constexpr char kInputOutput[] = "error=EIO";      // the call fails: device error
inline constexpr char kKill[] = "signal=KILL";           // the process dies as it makes the call

struct CallBreak {
    std::string call;    // one of kBreakableCalls
    int number = 0;      // 1 for the first call of that name
    std::string action;  // kNoSpace, kInputOutput or kKill
};

// Why strace cannot trace a child here (not installed, ptrace refused); empty when it can.
std::string TracingProblem(const std::string& captureFolder);

struct TracedRun {
    ChildResult result;
    std::map<std::string, int> calls;  // how often each of kBreakableCalls was made
};

// Runs command (program and arguments) under strace, writing its trace of kBreakableCalls to
// traceFile, and counts them.
TracedRun CountCalls(const std::vector<std::string>& command,
                                      const ChildOptions& options, const std::string& traceFile,
                                      const std::string& captureFolder);

// Runs command under strace tracing the calls `filter` names ("trace=close", "trace=%stat"),
// each descriptor shown with the path it names; the trace's lines in order, the run's result
// in *result.
std::vector<std::string> TraceWithPaths(const std::vector<std::string>& command,
                                        const std::string& filter, const ChildOptions& options,
                                        const std::string& traceFile,
                                        const std::string& captureFolder, ChildResult* result);

// Runs command under strace with one call broken. A child killed by a signal is reported
// with that signal: strace ends itself with it.
ChildResult RunWithBreak(const std::vector<std::string>& command, const CallBreak& fault,
                         const ChildOptions& options, const std::string& captureFolder);

}  // namespace Orvane::Test
