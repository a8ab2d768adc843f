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

TEST(EndsWithBackslashByte, LooksAtTheLastByteOnly) {
    EXPECT_TRUE(EndsWithBackslashByte("C:\\game\\"));
    EXPECT_FALSE(EndsWithBackslashByte("C:\\game"));
    EXPECT_FALSE(EndsWithBackslashByte(""));
    EXPECT_TRUE(EndsWithBackslashByte("C:\\\x95\x5C"));  // 表 counts as a trailing separator
}

}  // namespace
}  // namespace Orvane::Common
