// What the Linux build adds for runs that are interrupted or meet a running game: leftover
// temporary files told from look-alikes, and files held by another process refused.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mman.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "platform/os.h"
#include "support/temp_folder.h"

namespace Orvane::Os {
namespace {

using Test::TempFolder;
using Names = std::vector<std::string>;

constexpr char kMark[] = "user.orvpatch.temporary";

// The number of a process that has ended.
pid_t EndedProcess() {
    pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

std::string FirstLine(const char* path) {
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

// What a mark of this process's surroundings says, field by field.
struct MarkFields {
    std::string boot = FirstLine("/proc/sys/kernel/random/boot_id");
    std::string host = [] {
        std::string id = FirstLine("/etc/machine-id");
        char name[256] = {};
        return id.empty() && ::gethostname(name, sizeof name - 1) == 0 ? std::string(name) : id;
    }();
    std::string pidNamespace = [] {
        struct stat info;
        return std::to_string(::stat("/proc/self/ns/pid", &info) == 0 ? info.st_ino : 0);
    }();

    std::string Text(pid_t process, const std::string& start) const {
        return "orvpatch/2 " + boot + " " + host + " " + pidNamespace + " " +
               std::to_string(process) + " " + start;
    }
};

void SetMark(const TempFolder& folder, const std::string& name, const std::string& value) {
    std::string path = folder / name;
    ASSERT_EQ(::setxattr(path.c_str(), kMark, value.data(), value.size(), 0), 0) << name;
}

std::string NameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

TEST(RemoveLeftoverTempFiles, RemovesOnlyFilesWhoseMakerIsProvablyGone) {
    TempFolder folder;
    std::string live = GetTempFileName(folder.Path() + "/", "tmp");
    ASSERT_FALSE(live.empty());
    const MarkFields here;
    const pid_t ended = EndedProcess();
    MarkFields otherBoot = here;  // this machine's earlier boot, or a clone sharing the folder
    otherBoot.boot = "00000000-0000-0000-0000-000000000000";
    MarkFields otherMachine = otherBoot;
    otherMachine.host = "elsewhere";
    struct Case {
        const char* name;
        std::string mark;  // empty: none
        bool removed;
    } cases[] = {
        {"tmp1A.TMP", here.Text(ended, "0"), true},  // a killed run's file
        // This very number taken by another process since: the start time tells.
        {"tmp1B.TMP", here.Text(::getpid(), "1"), true},
        // Makers that cannot be seen from here: another machine, or another boot of a file
        // changed in this one.
        {"tmp1D.TMP", otherMachine.Text(ended, "0"), false},
        {"tmp1E.TMP", otherBoot.Text(ended, "0"), false},
        // The old mark names no namespace: kept unless untouched since before this boot.
        {"tmp1F.TMP", "orvpatch:" + std::to_string(ended) + ":0", false},
        {"tmp2B.TMP", "", false},                      // another program's look-alike
        {"tmp3C.TMP", "other:1", false},               // a mark that is not ours
        {"tmp4D.TMP", "orvpatch/2 - - 0 1 0", false},  // a mark that knows nothing
        {"tmpZZ.TMP", here.Text(ended, "0"), false},   // not a name we make
        {"notes.txt", here.Text(ended, "0"), false},
    };
    Names expected = {NameOf(live)};
    for (const Case& c : cases) {
        folder.WriteFile(c.name, "data");
        if (!c.mark.empty()) SetMark(folder, c.name, c.mark);
        if (!c.removed) expected.push_back(c.name);
    }
    RemoveLeftoverTempFiles(folder.Path() + "/", "tmp");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(folder.List(), expected);
}

// A child process that does `work` and then waits until the test lets it go; Done() tells
// whether the work succeeded. In a new PID namespace the child is the first process there
// (number 1, init's number in ours), forked by an intermediate process; Done() is then false
// also when the system refuses a new namespace (it takes root).
class WorkingChild {
public:
    template <typename Work>
    explicit WorkingChild(Work work, bool newPidNamespace = false) {
        int ready[2];
        if (::pipe(ready) != 0 || ::pipe(release_) != 0) return;
        child_ = ::fork();
        if (child_ == 0) {
            ::close(release_[1]);  // the read below ends when the test closes its end
            ::close(ready[0]);
            if (newPidNamespace && ::unshare(CLONE_NEWPID) != 0) ::_exit(1);
            if (newPidNamespace) {
                pid_t inner = ::fork();
                if (inner != 0) {
                    ::close(ready[1]);
                    ::close(release_[0]);
                    ::waitpid(inner, nullptr, 0);
                    ::_exit(0);
                }
            }
            char byte = work() ? 1 : 0;
            (void)!::write(ready[1], &byte, 1);
            (void)!::read(release_[0], &byte, 1);
            ::_exit(0);
        }
        ::close(release_[0]);
        ::close(ready[1]);
        char byte = 0;
        done_ = ::read(ready[0], &byte, 1) == 1 && byte == 1;
        ::close(ready[0]);
    }
    ~WorkingChild() {
        ::close(release_[1]);
        if (child_ > 0) ::waitpid(child_, nullptr, 0);
    }
    bool Done() const { return done_; }

private:
    int release_[2] = {-1, -1};
    pid_t child_ = -1;
    bool done_ = false;
};

constexpr bool kInNewPidNamespace = true;
constexpr char kNoPidNamespace[] = "no new PID namespace here (unshare needs root)";

// A run inside a container marks its file with its own numbers; seen from outside, those name
// another process or none. While it runs its file stays; once its namespace is gone, the
// first PID namespace, which sees every process, can tell, and then only there (as root, who
// may look at every process's namespace) the file goes.
TEST(RemoveLeftoverTempFiles, TellsARunInAnotherPidNamespaceByWhetherItStillRuns) {
    TempFolder folder;
    Names made;
    {
        WorkingChild container(
            [&] { return ::getpid() == 1 && !GetTempFileName(folder.Path() + "/", "tmp").empty(); },
            kInNewPidNamespace);
        if (!container.Done()) GTEST_SKIP() << kNoPidNamespace;
        made = folder.List();
        ASSERT_EQ(made.size(), 1u);
        RemoveLeftoverTempFiles(folder.Path() + "/", "tmp");
        EXPECT_EQ(folder.List(), made) << "the running maker's file was swept";
    }
    struct stat space;
    bool seesEverything = ::geteuid() == 0 && ::stat("/proc/self/ns/pid", &space) == 0 &&
                          space.st_ino == 0xEFFFFFFC;
    // A folder is swept once per process: the second look goes through another name for it.
    ASSERT_EQ(::symlink(".", (folder / "again").c_str()), 0);
    RemoveLeftoverTempFiles(folder.Path() + "/again/", "tmp");
    made.push_back("again");
    EXPECT_EQ(folder.List(), seesEverything ? Names{"again"} : made);
}

// How another process uses a file: with an open descriptor, or only through a mapping of it
// into its memory (the descriptor closed after mmap).
enum class Use { Open, Mapped };

bool TakeUp(const std::string& path, Use use) {
    int file = ::open(path.c_str(), O_RDONLY);
    if (file < 0 || use == Use::Open) return file >= 0;
    void* mapped = ::mmap(nullptr, 1, PROT_READ, MAP_SHARED, file, 0);
    ::close(file);
    return mapped != MAP_FAILED;
}

bool Opens(const std::string& path, CreateMode mode, std::uint32_t share) {
    OpenRequest request;
    request.mode = mode;
    request.read = true;
    request.write = mode != CreateMode::OpenExisting;
    request.shareMode = share;
    FileHandle file = OpenFile(path, request);
    if (file == kInvalidFile) return false;
    CloseFile(file);
    return true;
}

TEST(OpenFile, SharingNothingFailsWhileAnotherProcessHoldsTheFile) {
    for (Use use : {Use::Open, Use::Mapped}) {
        SCOPED_TRACE(use == Use::Open ? "open" : "mapped only");
        TempFolder folder;
        folder.WriteFile("data.arc", "archive");
        folder.WriteFile("other.arc", "archive");
        std::string path = folder / "data.arc";
        {
            WorkingChild game([&] { return TakeUp(path, use); });
            ASSERT_TRUE(game.Done());
            EXPECT_FALSE(Opens(path, CreateMode::OpenExisting, 0));
            EXPECT_TRUE(Opens(path, CreateMode::OpenExisting, 1));
            EXPECT_TRUE(Opens(folder / "other.arc", CreateMode::OpenExisting, 0));
        }
        EXPECT_TRUE(Opens(path, CreateMode::OpenExisting, 0));
    }
}

// Our own descriptor on the file is ours also where /proc counts processes of a parent PID
// namespace, under numbers that getpid() does not give.
TEST(OpenFile, OwnDescriptorIsNotAnotherProcessInsideANewPidNamespace) {
    TempFolder folder;
    folder.WriteFile("data.arc", "archive");
    std::string path = folder / "data.arc";
    WorkingChild container(
        [&] {
            int own = ::open(path.c_str(), O_RDONLY);
            return own >= 0 && Opens(path, CreateMode::OpenExisting, 0);
        },
        kInNewPidNamespace);
    if (!container.Done()) {
        // Either no namespace could be made, or the open was refused: tell them apart.
        WorkingChild probe([] { return true; }, kInNewPidNamespace);
        if (!probe.Done()) GTEST_SKIP() << kNoPidNamespace;
        ADD_FAILURE() << "our own descriptor was taken for another process's";
    }
}

}  // namespace
}  // namespace Orvane::Os
