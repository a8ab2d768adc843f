#include "support/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace Orvane::Test {
namespace {

constexpr char kStdoutFile[] = "child-stdout.txt";
constexpr char kStderrFile[] = "child-stderr.txt";
// How long a child may take to reach its blocking write before the test gives up on it.
constexpr std::chrono::seconds kBlockTimeout{120};
constexpr std::chrono::milliseconds kPollInterval{5};

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> ChildEnvironment(const ChildOptions& options) {
    std::map<std::string, std::string> variables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        std::string text = *entry;
        std::size_t equals = text.find('=');
        if (equals != std::string::npos) variables[text.substr(0, equals)] = text.substr(equals + 1);
    }
    for (const auto& [name, value] : options.environment) {
        if (value) variables[name] = *value;
        else variables.erase(name);
    }
    std::vector<std::string> entries;
    for (const auto& [name, value] : variables) entries.push_back(name + "=" + value);
    return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

class SpawnActions {
public:
    SpawnActions() { posix_spawn_file_actions_init(&actions_); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    posix_spawn_file_actions_t* Get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

// Starts the child; stdout goes to a file, stderr to errFd or a file.
pid_t Spawn(const std::string& program, const std::vector<std::string>& arguments,
            const ChildOptions& options, const std::string& captureFolder, int errFd) {
    SpawnActions actions;
    std::string outPath = captureFolder + kStdoutFile;
    std::string errPath = captureFolder + kStderrFile;
    posix_spawn_file_actions_addopen(actions.Get(), 1, outPath.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (errFd >= 0) {
        posix_spawn_file_actions_adddup2(actions.Get(), errFd, 2);
    } else {
        posix_spawn_file_actions_addopen(actions.Get(), 2, errPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    if (!options.workingFolder.empty()) {
        posix_spawn_file_actions_addchdir_np(actions.Get(), options.workingFolder.c_str());
    }
    std::vector<std::string> argv{program};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<std::string> envp = ChildEnvironment(options);
    pid_t pid = 0;
    int failed = posix_spawnp(&pid, program.c_str(), actions.Get(), nullptr,
                              Pointers(argv).data(), Pointers(envp).data());
    if (failed != 0) throw std::runtime_error("cannot start " + program + ": " + std::strerror(failed));
    return pid;
}

void Collect(pid_t pid, const std::string& captureFolder, ChildResult& result) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    result.out = Slurp(captureFolder + kStdoutFile);
}

// True while the child waits in a write to its stderr ("<write> 0x2 ..." in /proc).
bool WaitsInStderrWrite(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/syscall");
    std::string number;
    std::string firstArgument;
    in >> number >> firstArgument;
    return number == std::to_string(SYS_write) && firstArgument == "0x2";
}

// Waits until the child blocks in its stderr write; false when it ended or took too long.
bool WaitUntilBlocked(pid_t pid) {
    auto deadline = std::chrono::steady_clock::now() + kBlockTimeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (WaitsInStderrWrite(pid)) return true;
        siginfo_t info{};
        if (waitid(P_PID, pid, &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == pid) {
            return false;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    return false;
}

std::string Drain(int fd) {
    std::string text;
    char buffer[4096];
    for (;;) {
        ssize_t count = read(fd, buffer, sizeof buffer);
        if (count > 0) text.append(buffer, static_cast<std::size_t>(count));
        else if (count == 0 || errno != EINTR) break;
    }
    return text;
}

// Fills the pipe so that exactly `room` bytes are left.
void LeaveRoom(int writeFd, std::size_t room) {
    int capacity = fcntl(writeFd, F_GETPIPE_SZ);
    if (capacity < 0 || static_cast<std::size_t>(capacity) < room) {
        throw std::runtime_error("the pipe cannot hold the child's allowed output");
    }
    std::string filler(static_cast<std::size_t>(capacity) - room, '.');
    if (write(writeFd, filler.data(), filler.size()) != static_cast<ssize_t>(filler.size())) {
        throw std::runtime_error("cannot fill the pipe");
    }
}

}  // namespace

ChildResult RunChild(const std::string& program, const std::vector<std::string>& arguments,
                     const ChildOptions& options, const std::string& captureFolder) {
    ChildResult result;
    pid_t pid = Spawn(program, arguments, options, captureFolder, -1);
    Collect(pid, captureFolder, result);
    result.err = Slurp(captureFolder + kStderrFile);
    return result;
}

ChildResult RunInterrupted(const std::string& program, const std::vector<std::string>& arguments,
                           const ChildOptions& options, const std::string& captureFolder,
                           std::size_t allowedErrBytes) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
    int capacity = fcntl(fds[1], F_GETPIPE_SZ);
    LeaveRoom(fds[1], allowedErrBytes);
    pid_t pid = Spawn(program, arguments, options, captureFolder, fds[1]);
    close(fds[1]);
    ChildResult result;
    result.interrupted = WaitUntilBlocked(pid);
    if (result.interrupted) kill(pid, SIGINT);
    result.err = Drain(fds[0]).substr(static_cast<std::size_t>(capacity) - allowedErrBytes);
    close(fds[0]);
    Collect(pid, captureFolder, result);
    return result;
}

}  // namespace Orvane::Test
