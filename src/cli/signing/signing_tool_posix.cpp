#include "cli/signing/signing_tool.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

namespace Orvane::Cli {

const char kSigningToolMissing[] = "signing needs osslsigncode (Debian package osslsigncode)";
const char kStandardInputPath[] = "/dev/stdin";

namespace {

struct Pipe {
    int read = -1;
    int write = -1;
    bool Open() {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0) return false;
        read = ends[0];
        write = ends[1];
        return true;
    }
};

[[noreturn]] void ExecTool(const std::vector<std::string>& arguments, int input, int output) {
    ::dup2(input, STDIN_FILENO);
    ::dup2(output, STDOUT_FILENO);
    ::dup2(output, STDERR_FILENO);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(kSigningTool));
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::execvp(kSigningTool, argv.data());
    ::_exit(127);
}

std::string ReadAll(int fd) {
    std::string text;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR)) {
        if (n > 0) text.append(buffer, static_cast<std::size_t>(n));
    }
    return text;
}

}  // namespace

ToolRun RunSigningTool(const std::vector<std::string>& arguments,
                       const std::optional<std::string>& input) {
    ToolRun run;
    Pipe in, out;
    if (!in.Open() || !out.Open()) return run;
    // A tool that stops reading early must not kill this process with SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    pid_t child = ::fork();
    if (child == 0) ExecTool(arguments, in.read, out.write);
    ::close(in.read);
    ::close(out.write);
    if (child < 0) {
        ::close(in.write);
        ::close(out.read);
        return run;
    }
    if (input) (void)!::write(in.write, input->data(), input->size());
    ::close(in.write);
    run.output = ReadAll(out.read);
    ::close(out.read);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.started = run.exitCode != 127;
    return run;
}

}  // namespace Orvane::Cli
