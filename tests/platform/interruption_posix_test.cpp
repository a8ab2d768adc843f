// What the Linux build adds for runs that are interrupted or meet a running game: leftover
// temporary files told from look-alikes, and files held by another process refused.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <fcntl.h>

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

void SetMark(const TempFolder& folder, const std::string& name, const std::string& value) {
    std::string path = folder / name;
    ASSERT_EQ(::setxattr(path.c_str(), kMark, value.data(), value.size(), 0), 0) << name;
}

TEST(RemoveLeftoverTempFiles, RemovesOnlyMarkedFilesOfEndedProcesses) {
    TempFolder folder;
    std::string live = GetTempFileName(folder.Path() + "/", "tmp");
    ASSERT_FALSE(live.empty());
    std::string ended = "orvpatch:" + std::to_string(EndedProcess()) + ":0";
    // This very process, as a process of another PID namespace that took its number later.
    std::string reused = "orvpatch:" + std::to_string(::getpid()) + ":1";
    struct Case {
        const char* name;
        std::string mark;  // empty: none
    } cases[] = {
        {"tmp1A.TMP", ended},         // a killed run's file: removed
        {"tmp1B.TMP", reused},        // so is one whose number now means another process
        {"tmp2B.TMP", ""},            // another program's look-alike
        {"tmp3C.TMP", "other:1"},     // a mark that is not ours
        {"tmpZZ.TMP", ended},         // not a name we make
        {"notes.txt", ended},
    };
    for (const Case& c : cases) {
        folder.WriteFile(c.name, "data");
        if (!c.mark.empty()) SetMark(folder, c.name, c.mark);
    }
    RemoveLeftoverTempFiles(folder.Path() + "/", "tmp");
    Names expected = {live.substr(live.rfind('/') + 1), "notes.txt", "tmp2B.TMP", "tmp3C.TMP",
                      "tmpZZ.TMP"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(folder.List(), expected);
}

// A child holds the file open until its pipe closes.
class HeldElsewhere {
public:
    explicit HeldElsewhere(const std::string& path) {
        int ready[2];
        if (::pipe(ready) != 0 || ::pipe(release_) != 0) return;
        child_ = ::fork();
        if (child_ == 0) {
            ::close(release_[1]);  // the read below ends when the parent closes its end
            int file = ::open(path.c_str(), O_RDONLY);
            char byte = file >= 0 ? 1 : 0;
            (void)!::write(ready[1], &byte, 1);
            (void)!::read(release_[0], &byte, 1);
            ::_exit(0);
        }
        ::close(release_[0]);
        release_[0] = -1;
        char byte = 0;
        (void)!::read(ready[0], &byte, 1);
        ::close(ready[0]);
        ::close(ready[1]);
        held_ = byte == 1;
    }
    ~HeldElsewhere() {
        ::close(release_[1]);
        if (child_ > 0) ::waitpid(child_, nullptr, 0);
    }
    bool Held() const { return held_; }

private:
    int release_[2] = {-1, -1};
    pid_t child_ = -1;
    bool held_ = false;
};

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
    TempFolder folder;
    folder.WriteFile("data.arc", "archive");
    std::string path = folder / "data.arc";
    {
        HeldElsewhere game(path);
        ASSERT_TRUE(game.Held());
        EXPECT_FALSE(Opens(path, CreateMode::OpenExisting, 0));
        EXPECT_TRUE(Opens(path, CreateMode::OpenExisting, 1));
    }
    EXPECT_TRUE(Opens(path, CreateMode::OpenExisting, 0));
}

}  // namespace
}  // namespace Orvane::Os
