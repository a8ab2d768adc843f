// The path lengths the file calls take: fewer than MAX_PATH (260) characters, a double-byte
// character counting once. Wine and the Linux build are held to the same expectations, except
// where Wine takes more than Windows documents (marked below).
#include <gtest/gtest.h>

#include <functional>

#include "open_file.h"
#include "platform/os.h"
#include "support/temp_folder.h"
#include "support/text.h"

namespace Orvane::Os {
namespace {

using Test::Cp932;
using Test::OpenedFile;
using Test::TempFolder;

// Short enough for a Linux name, which may have 255 bytes in UTF-8 (three for ア).
constexpr std::size_t kComponentCharacters = 60;
const std::string kAside = "aside";

// A relative path ('/' between components) that makes folder.Path() + it `characters`
// characters long; its first `doubleByte` letters are ア (two bytes each), the others 'a'.
std::string RelativeOfLength(const TempFolder& folder, std::size_t characters,
                             std::size_t doubleByte) {
    std::size_t length = AnsiToWide(folder.Path()).size();
    std::string relative;
    for (std::size_t inComponent = 0; length < characters; ++length) {
        if (inComponent == kComponentCharacters && characters - length > 1) {
            relative += '/';
            inComponent = 0;
            continue;
        }
        relative += doubleByte > 0 ? Cp932(u8"ア") : "a";
        doubleByte -= doubleByte > 0 ? 1 : 0;
        ++inComponent;
    }
    return relative;
}

std::string Text(const TempFolder& folder, const std::string& relative) {
    std::vector<std::uint8_t> bytes = folder.ReadFile(relative);
    return std::string(bytes.begin(), bytes.end());
}

// The folder a relative path is in, made on the disk.
void MakeFolderOf(const TempFolder& folder, const std::string& relative) {
    folder.WriteFile(relative.substr(0, relative.rfind('/') + 1) + "sibling", "");
}

// What a call made of a path: its result, and whether its work shows on the disk.
struct Outcome {
    bool result;
    bool done;
};

enum class UnderWine { Limited, AnyLength, SingleByteOnly };

struct PathCall {
    const char* name;
    std::function<Outcome(const TempFolder&, const std::string& relative)> run;
    UnderWine wine = UnderWine::Limited;
};

const std::vector<PathCall> kPathCalls = {
    {"OpenFile creating", [](const TempFolder& f, const std::string& r) {
         MakeFolderOf(f, r);
         bool open = OpenedFile(f / r, CreateMode::CreateNew, false, true).IsOpen();
         return Outcome{open, f.Exists(r)};
     }},
    {"OpenFile opening", [](const TempFolder& f, const std::string& r) {
         f.WriteFile(r, "x");
         bool open = OpenedFile(f / r, CreateMode::OpenExisting, true, false).IsOpen();
         return Outcome{open, open};
     }},
    {"GetFileAttributes", [](const TempFolder& f, const std::string& r) {
         f.WriteFile(r, "x");
         bool found = GetFileAttributes(f / r).has_value();
         return Outcome{found, found};
     }},
    {"SetFileAttributes", [](const TempFolder& f, const std::string& r) {
         f.WriteFile(r, "x");
         bool set = SetFileAttributes(f / r, kAttrArchive | kAttrReadOnly);
         return Outcome{set, set};
     }},
    {"FindFirstFile", [](const TempFolder& f, const std::string& r) {
         f.WriteFile(r, "x");
         bool found = FindFirstFile(f / r).has_value();
         return Outcome{found, found};
     }},
    {"DeleteFile", [](const TempFolder& f, const std::string& r) {
         f.WriteFile(r, "x");
         return Outcome{DeleteFile(f / r), !f.Exists(r)};
     }},
    // The path is the folder to make; its trailing separator is not counted.
    {"MakeSureDirectoryPathExists", [](const TempFolder& f, const std::string& r) {
         return Outcome{MakeSureDirectoryPathExists(f / (r + "/")), f.Exists(r)};
     }, UnderWine::SingleByteOnly},  // Wine overruns a buffer on long double-byte paths
    {"CopyFile from", [](const TempFolder& f, const std::string& r) {
         f.WriteFile(r, "x");
         return Outcome{CopyFile(f / r, f / kAside, false), f.Exists(kAside)};
     }},
    {"MoveFile from", [](const TempFolder& f, const std::string& r) {
         f.WriteFile(r, "x");
         return Outcome{MoveFile(f / r, f / kAside), f.Exists(kAside)};
     }},
    {"ReplaceFile from", [](const TempFolder& f, const std::string& r) {
         f.WriteFile(r, "new");
         f.WriteFile(kAside, "old");
         return Outcome{ReplaceFile(f / r, f / kAside), Text(f, kAside) == "new"};
     }},
    // Wine takes a second path of any length.
    {"CopyFile to", [](const TempFolder& f, const std::string& r) {
         MakeFolderOf(f, r);
         f.WriteFile(kAside, "x");
         return Outcome{CopyFile(f / kAside, f / r, false), f.Exists(r)};
     }, UnderWine::AnyLength},
    {"MoveFile to", [](const TempFolder& f, const std::string& r) {
         MakeFolderOf(f, r);
         f.WriteFile(kAside, "x");
         return Outcome{MoveFile(f / kAside, f / r), f.Exists(r)};
     }, UnderWine::AnyLength},
    {"ReplaceFile to", [](const TempFolder& f, const std::string& r) {
         f.WriteFile(r, "old");
         f.WriteFile(kAside, "new");
         return Outcome{ReplaceFile(f / kAside, f / r), Text(f, r) == "new"};
     }, UnderWine::AnyLength},
};

struct PathLength {
    const char* label;
    std::size_t characters;
    bool doubleByte;
    bool taken;
    bool wineAgrees = true;
};

const std::vector<PathLength> kPathLengths = {
    {"259 characters", 259, false, true},
    // Wine converts into a buffer of 261 characters and takes one more than Windows documents.
    {"260 characters, no room left for the terminator", 260, false, false, false},
    {"261 characters", 261, false, false},
    {"259 characters, double-byte: over 500 bytes", 259, true, true},
    {"260 characters, double-byte", 260, true, false, false},
    {"261 characters, double-byte", 261, true, false},
};

bool WineDiffers(const PathCall& call, const PathLength& length) {
#ifdef _WIN32
    return !length.wineAgrees || call.wine == UnderWine::AnyLength ||
           (call.wine == UnderWine::SingleByteOnly && length.doubleByte);
#else
    (void)call, (void)length;
    return false;
#endif
}

TEST(PathLimit, CallsRefusePathsOfMaxPathCharactersAndTouchNothing) {
    for (const PathCall& call : kPathCalls) {
        for (const PathLength& length : kPathLengths) {
            if (WineDiffers(call, length)) continue;
            SCOPED_TRACE(std::string(call.name) + ", " + length.label);
            TempFolder folder;
            std::size_t doubleByte = length.doubleByte ? length.characters : 0;
            Outcome outcome =
                call.run(folder, RelativeOfLength(folder, length.characters, doubleByte));
            EXPECT_EQ(outcome.result, length.taken);
            EXPECT_EQ(outcome.done, length.taken);
        }
    }
}

TEST(PathLimit, TemporaryNamesNeedRoomInTheFolderAndInTheNameBuffer) {
    struct Case {
        const char* label;
        std::size_t characters;  // of the folder, its trailing separator included
        std::size_t doubleByte;
        bool taken;
    } cases[] = {
        {"a folder of MAX_PATH - 14 characters", 246, 0, true},
        {"a folder of one character more", 247, 0, false},
        {"a name of at most 259 bytes", 246, 2, true},
        {"a name that might take 260 bytes", 246, 3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TempFolder folder;
        std::string relative = RelativeOfLength(folder, c.characters - 1, c.doubleByte) + "/";
        folder.WriteFile(relative + "keep", "");
        std::string name = GetTempFileName(folder / relative, "tmp");
        EXPECT_EQ(!name.empty(), c.taken) << name;
        EXPECT_EQ(folder.List(relative).size(), c.taken ? 2u : 1u);
    }
}

}  // namespace
}  // namespace Orvane::Os
