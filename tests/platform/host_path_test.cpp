// The rules that turn the core's paths into Linux paths, tested against a made-up folder tree.
// Windows opens the core's paths as they are, so none of this exists in the Windows build.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "platform/posix/host_path.h"
#include "platform/posix/name_match.h"
#include "support/text.h"

namespace Orvane::Os::Posix {
namespace {

using Test::Cp932;
using Test::Utf8;

// Folders mapped to their entries; a path exists when its folder lists its name.
class FakeDisk : public DirectoryView {
public:
    explicit FakeDisk(std::map<std::string, std::set<std::string>> folders)
        : folders_(std::move(folders)) {}

    bool Exists(const std::string& path) const override {
        auto [folder, name] = SplitAtLastSeparator(path);
        if (folder.empty()) folder = ".";
        if (folder.size() > 1) folder.remove_suffix(1);  // "/game/" is listed as "/game"
        auto found = folders_.find(std::string(folder));
        return found != folders_.end() && found->second.count(std::string(name)) != 0;
    }

    std::vector<std::string> Entries(const std::string& folder) const override {
        auto found = folders_.find(folder);
        if (found == folders_.end()) return {};
        return {found->second.begin(), found->second.end()};
    }

private:
    std::map<std::string, std::set<std::string>> folders_;
};

TEST(HostPath, ConvertsBeforeSplittingSoTrailBytes5CStayInTheirCharacter) {
    std::string path = Cp932(u8"C表\\ソ\\x/y");
    EXPECT_EQ(ToHostSyntax(path), Utf8(u8"C表/ソ/x/y"));
    EXPECT_EQ(ToHostSyntax(std::string("a\\b\0c", 5)), "a/b");  // ends at a zero byte
}

TEST(HostPath, MatchesMissingComponentsWithoutRegardToCase) {
    FakeDisk disk({{"/", {"game"}},
                   {"/game", {"Data", "data.bak", "ReadMe.TXT"}},
                   {"/game/Data", {"Image.ARC"}},
                   {".", {"Game"}},
                   {"Game", {"Data"}}});
    struct Case {
        const char* given;
        const char* expected;
    } cases[] = {
        {"/game/Data/Image.ARC", "/game/Data/Image.ARC"},        // exact
        {"/GAME/data/image.arc", "/game/Data/Image.ARC"},        // every component matched
        {"/game/readme.txt", "/game/ReadMe.TXT"},                // a file replaced keeps its name
        {"/game/DATA/New/File.bin", "/game/Data/New/File.bin"},  // new parts keep the case given
        {"/game//data/", "/game/Data/"},  // separators collapse, trailing stays
        {"game/data", "Game/Data"},       // relative to the current folder
        {"/other/Data", "/other/Data"},
    };
    for (const auto& c : cases) EXPECT_EQ(MatchCase(c.given, disk), c.expected) << c.given;
}

TEST(HostPath, TriesEveryCaseVariantUntilThePathResolves) {
    FakeDisk disk({{"/", {"DATA", "Data"}}, {"/DATA", {"img"}}, {"/Data", {"other", "sub"}}});
    struct Case {
        const char* given;
        const char* expected;
    } cases[] = {
        {"/data/other", "/Data/other"},          // the second variant
        {"/Data/IMG", "/DATA/img"},              // the exact name first, then the others
        {"/data/new.bin", "/DATA/new.bin"},      // found nowhere: the first variant
        {"/data/sub/new.bin", "/Data/sub/new.bin"},  // the deepest match
    };
    for (const auto& c : cases) EXPECT_EQ(MatchCase(c.given, disk), c.expected) << c.given;
}

TEST(HostPath, ResolvesDotsByTheTextAlone) {
    struct Case {
        const char* path;
        const char* normal;
        const char* absolute;  // from /home/user
    } cases[] = {
        {"a/./b/../c", "a/c", "/home/user/a/c"},
        {"missing/../file", "file", "/home/user/file"},
        {"../../../x", "../../../x", "/x"},
        {"/../x/", "/x/", "/x/"},
        {".", ".", "/home/user"},
        {"a//b/", "a/b/", "/home/user/a/b/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NormalHostPath(c.path), c.normal) << c.path;
        EXPECT_EQ(AbsoluteHostPath(c.path, "/home/user"), c.absolute) << c.path;
    }
}

TEST(NameMatch, IgnoresCaseOfTheLettersCodePage932Has) {
    EXPECT_TRUE(EqualIgnoringCase("ReadMe.txt", "README.TXT"));
    EXPECT_TRUE(EqualIgnoringCase(Utf8(u8"ａｂｃ"), Utf8(u8"ＡＢＣ")));  // full width
    EXPECT_TRUE(EqualIgnoringCase(Utf8(u8"αω"), Utf8(u8"ΑΩ")));
    EXPECT_TRUE(EqualIgnoringCase(Utf8(u8"жё"), Utf8(u8"ЖЁ")));
    EXPECT_FALSE(EqualIgnoringCase(Utf8(u8"ア"), Utf8(u8"ァ")));  // small kana differ
    EXPECT_FALSE(EqualIgnoringCase("a", "ab"));
}

TEST(NameMatch, MatchesWildcardsAsWindowsDoes) {
    struct Case {
        const char* pattern;
        const char* name;
        bool matches;
    } cases[] = {
        {"*.TXT", "readme.txt", true},
        {"*.txt", "readme.txt.bak", false},
        {"tmp????.tmp", "TMP1A2B.TMP", true},
        {"tmp?.tmp", "tmp12.tmp", false},
        {"*.*", "Makefile", true},
        {"a*b*c", "aXbYbZc", true},
        {"a*b", "aXbY", false},
        {"*", ".", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesWildcard(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
}

}  // namespace
}  // namespace Orvane::Os::Posix

#endif  // _WIN32
