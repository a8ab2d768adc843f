#include "common/ansi_path.h"

#include <gtest/gtest.h>

namespace Orvane::Common {
namespace {

TEST(FindLastBackslash, StepsOverDoubleByteCharacters) {
    struct Case {
        std::string path;
        std::size_t expected;
    } cases[] = {
        {"C:\\game\\file", 7},
        {"C:\\game\\", 7},
        {"file", std::string::npos},
        {"C:\\\x95\x5C", 2},          // 表 at the end: its trail byte is no separator
        {"C:\\\x83\x5C\\x", 5},       // ソ then a real separator
        {"\x83\x5C", std::string::npos},
        {"a\\\x81", 1},               // a lone lead byte at the end
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindLastBackslash(c.path), c.expected) << c.path;
    }
}

TEST(ParentFolder, CutsAtTheLastSeparatorThatIsACharacter) {
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\game\\new\\", "C:\\game"},
        {"/home/game", "/home"},
        {"/home", "/"},
        {"/", ""},
        {"C:\\", ""},
        {"game", ""},
        {"C:\\\x95\x5C\\\x83\x5C", "C:\\\x95\x5C"},  // 表\ソ: neither trail byte is a separator
        {"C:\\\x95\x5C", "C:"},
    };
    for (const auto& [path, parent] : cases) EXPECT_EQ(ParentFolder(path), parent) << path;
}

// 表 (95 5C) and ソ (83 5C) end in the byte of a backslash but are no separator.
TEST(WithTrailingBackslash, AddsOneUnlessTheLastCharacterIsABackslash) {
    struct Case {
        std::string folder;
        bool endsWithBackslash;
    } cases[] = {
        {"C:\\game\\", true},
        {"C:\\game", false},
        {"", false},
        {"C:\\\x95\x5C", false},          // 表
        {"C:\\\x83\x5C", false},          // ソ
        {"C:\\\x95\x5C\\", true},         // 表 and a separator
        {"C:\\\x83\x5C\x83\x5C", false},  // ソソ
        {"\\", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EndsWithBackslash(c.folder), c.endsWithBackslash) << c.folder;
        std::string expected = c.endsWithBackslash ? c.folder : c.folder + "\\";
        EXPECT_EQ(WithTrailingBackslash(c.folder), expected) << c.folder;
    }
}

}  // namespace
}  // namespace Orvane::Common
