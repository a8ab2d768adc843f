// Runs a program as a child process, without a shell, and collects what it reports.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace Orvane::Test {

struct ChildOptions {
    // Variables set for the child on top of this process's environment; a variable mapped to
    // nothing is removed.
    std::map<std::string, std::optional<std::string>> environment;
    std::string workingFolder;  // UTF-8; empty: this process's
};

struct ChildResult {
    int exitCode = -1;       // -1 when the child did not exit by itself
    int signal = 0;          // the signal that ended it, if one did
    std::string out;         // stdout, UTF-8 as written
    std::string err;         // stderr
    bool interrupted = false;  // RunInterrupted: the child was stopped and sent SIGINT
};

// Runs program (found on PATH when it has no '/') with arguments, stdout and stderr going to
// capture files in captureFolder (UTF-8, ending in '/').
ChildResult RunChild(const std::string& program, const std::vector<std::string>& arguments,
                     const ChildOptions& options, const std::string& captureFolder);

// Runs program with stderr on a pipe that only has room for the first allowedErrBytes bytes
// the child writes there and that nobody reads meanwhile. The child therefore stops inside
// the first write that goes beyond them; once it waits there, it is sent SIGINT and the pipe
// is drained. So the child sees Ctrl-C at exactly that write, whatever the timing. err holds
// everything the child wrote to stderr; interrupted is false when it finished before blocking.
ChildResult RunInterrupted(const std::string& program, const std::vector<std::string>& arguments,
                           const ChildOptions& options, const std::string& captureFolder,
                           std::size_t allowedErrBytes);

}  // namespace Orvane::Test
