// The run's kept folder listings on Linux: learnt once, then kept current from the folder's
// events, so that another process's change is seen as surely as by reading the folder again.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "platform/os.h"
#include "support/temp_folder.h"
#include "support/text.h"

namespace Orvane::Os {
namespace {

using Test::Cp932;
using Test::TempFolder;
using Test::Utf8;

// Runs change in another process and waits for it.
void InAnotherProcess(const std::function<void()>& change) {
    pid_t child = ::fork();
    if (child == 0) {
        change();
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
}

std::optional<std::string> FoundName(const std::string& path) {
    std::optional<FindData> found = FindFirstFile(path);
    if (!found) return std::nullopt;
    return found->name;
}

TEST(FolderListings, AnotherProcessesChangeInAnyCaseIsSeenAtOnce) {
    TempFolder folder;
    folder.WriteFile("first.txt", "1");
    const std::string host = folder.Path();  // UTF-8 on Linux
    auto at = [&](const std::string& name) { return host + name; };
    // The listing is learnt here: nothing named like "ab.txt" yet.
    ASSERT_EQ(FoundName(folder / "AB.TXT"), std::nullopt);
    struct Step {
        const char* label;
        std::function<void()> change;
        std::string lookup;                 // code page 932
        std::optional<std::string> found;   // code page 932
    };
    const Step steps[] = {
        {"created", [&] { std::fclose(std::fopen(at("Ab.txt").c_str(), "w")); }, "AB.TXT", "Ab.txt"},
        {"renamed", [&] { std::rename(at("Ab.txt").c_str(), at("aB.txt").c_str()); }, "ab.TXT",
         "aB.txt"},
        {"deleted", [&] { ::unlink(at("aB.txt").c_str()); }, "AB.TXT", std::nullopt},
        {"full-width letters", [&] { std::fclose(std::fopen(at(Utf8(u8"ＡＢ.txt")).c_str(), "w")); },
         Cp932(u8"ａｂ.txt"), Cp932(u8"ＡＢ.txt")},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.label);
        InAnotherProcess(step.change);
        EXPECT_EQ(FoundName(folder / step.lookup), step.found);
        EXPECT_EQ(GetFileAttributes(folder / step.lookup).has_value(), step.found.has_value());
    }
}

}  // namespace
}  // namespace Orvane::Os
