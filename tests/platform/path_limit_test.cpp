// The path lengths the file calls take: fewer than MAX_PATH (260) characters, a double-byte
// character counting once. Wine and the Linux layer meet the same expectations, except where
// Wine takes more than Windows documents (marked).
#include <gtest/gtest.h>

#include <functional>

#include "open_file.h"
#include "platform/os.h"
#include "support/temp_folder.h"
#include "support/text.h"

namespace Orvane::Os {
namespace {

using Test::OpenedFile;
using Test::TempFolder;

// A relative path (components of 60 characters, well within a Linux name) that makes
// folder.Path() + it `characters` long: `first`, then ア (two bytes) for the first `doubleByte`
// letters and 'a' for the others.
std::string RelativeOfLength(const TempFolder& folder, char first, std::size_t characters,
                             std::size_t doubleByte) {
    std::string relative(1, first);
    for (std::size_t length = AnsiToWide(folder.Path()).size() + 1; length < characters; ++length) {
        if (length % 61 == 0 && length + 1 < characters) {
            relative += '/';
            continue;
        }
        relative += doubleByte > 0 ? Test::Cp932(u8"ア") : std::string("a");
        doubleByte -= doubleByte > 0 ? 1 : 0;
    }
    return relative;
}

struct Paths {
    std::string existing, fresh;  // of the length tested: a file, and a name nothing has yet
    std::string source, target;   // short: a file, and a name nothing has yet
};

struct PathCall {
    const char* name;
    std::function<bool(const Paths&)> run;
};

const PathCall kCalls[] = {
    {"OpenFile",
     [](auto& p) { return OpenedFile(p.fresh, CreateMode::CreateNew, false, true).IsOpen(); }},
    {"GetFileAttributes", [](auto& p) { return GetFileAttributes(p.existing).has_value(); }},
    {"SetFileAttributes", [](auto& p) { return SetFileAttributes(p.existing, kAttrReadOnly); }},
    {"FindFirstFile", [](auto& p) { return FindFirstFile(p.existing).has_value(); }},
    {"DeleteFile", [](auto& p) { return DeleteFile(p.existing); }},
    {"CopyFile from", [](auto& p) { return CopyFile(p.existing, p.target, false); }},
    {"MoveFile from", [](auto& p) { return MoveFile(p.existing, p.target); }},
    {"ReplaceFile from", [](auto& p) { return ReplaceFile(p.existing, p.target); }},
#ifndef _WIN32  // Wine takes a second path of any length, and overruns a buffer on a long
                // double-byte folder chain
    {"CopyFile to", [](auto& p) { return CopyFile(p.source, p.fresh, false); }},
    {"MoveFile to", [](auto& p) { return MoveFile(p.source, p.fresh); }},
    {"ReplaceFile to", [](auto& p) { return ReplaceFile(p.source, p.fresh); }},
    // The folder to make is the path; its trailing separator is not counted.
    {"MakeSureDirectoryPathExists",
     [](auto& p) { return MakeSureDirectoryPathExists(p.fresh + Test::Separator()); }},
#endif
};

const struct PathLength {
    const char* label;
    std::size_t characters;
    bool doubleByte;
    bool taken;
} kLengths[] = {
    {"259 characters", 259, false, true},
#ifndef _WIN32  // Wine converts into 261 characters and takes 260
    {"260 characters, no room for the terminator", 260, false, false},
#endif
    {"261 characters", 261, false, false},
    {"259 characters, double-byte: over 500 bytes", 259, true, true},
    {"261 characters, double-byte", 261, true, false},
};

TEST(PathLimit, CallsRefusePathsOfMaxPathCharactersAndTouchNothing) {
    for (const PathCall& call : kCalls) {
        for (const PathLength& length : kLengths) {
            SCOPED_TRACE(std::string(call.name) + ", " + length.label);
            TempFolder f;
            std::size_t doubleByte = length.doubleByte ? length.characters : 0;
            std::string existing = RelativeOfLength(f, 'e', length.characters, doubleByte);
            std::string fresh = RelativeOfLength(f, 'f', length.characters, doubleByte);
            f.WriteFile(existing, "x");
            f.WriteFile(fresh.substr(0, fresh.rfind('/') + 1) + "sibling", "");
            f.WriteFile("source", "x");
            Paths paths{f / existing, f / fresh, f / "source", f / "target"};
            EXPECT_EQ(call.run(paths), length.taken);
            if (length.taken) continue;
            EXPECT_TRUE(f.Exists(existing) && !f.Exists(fresh) && !f.Exists("target"))
                << "touched nothing";
        }
    }
}

TEST(PathLimit, TemporaryNamesNeedRoomInTheFolderAndInTheNameBuffer) {
    struct Case {
        std::size_t characters;  // of the folder, its trailing separator included
        std::size_t doubleByte;
        bool taken;
    } cases[] = {{246, 0, true}, {247, 0, false}, {246, 2, true}, {246, 3, false}};
    for (const Case& c : cases) {
        TempFolder f;
        std::string folder = RelativeOfLength(f, 't', c.characters - 1, c.doubleByte) + "/";
        f.WriteFile(folder + "keep", "");
        EXPECT_EQ(GetTempFileName(f / folder, "tmp").empty(), !c.taken) << c.characters;
        EXPECT_EQ(f.List(folder).size(), c.taken ? 2u : 1u) << "nothing made when refused";
    }
}

}  // namespace
}  // namespace Orvane::Os
