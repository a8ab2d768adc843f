// Runs a program without a shell and collects its exit status and output.
#pragma once

#include <string>
#include <vector>

namespace Orvane::Test {

struct ProgramRun {
    int exitCode = -1;
    std::string out;  // stdout, as written (UTF-8)
    std::string err;  // stderr
};

// outputFolder receives the two capture files.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& outputFolder);

}  // namespace Orvane::Test
