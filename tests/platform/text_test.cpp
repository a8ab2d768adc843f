// Code page 932 <-> UTF-16, as Windows converts with ANSI code page 932.
#include <gtest/gtest.h>

#include <string>

#include "platform/os.h"

namespace Orvane::Os {
namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) {
    return std::string(bytes.begin(), bytes.end());
}

struct TextCase {
    const char* what;
    std::string ansi;
    std::u16string wide;
};

// Pairs that convert into each other both ways.
TEST(TextConversion, ConvertsBothWays) {
    const TextCase cases[] = {
        {"katakana a", Bytes({0x83, 0x41}), u"\u30A2"},
        {"hyo, trail byte 5C", Bytes({0x95, 0x5C}), u"\u8868"},
        {"so, trail byte 5C", Bytes({0x83, 0x5C}), u"\u30BD"},
        {"ascii and half-width kana", Bytes({'A', '\\', 0xB1}), u"A\\\uFF71"},
        {"wave dash of code page 932", Bytes({0x81, 0x60}), u"\uFF5E"},
        {"single bytes only Windows maps", Bytes({0x80, 0xA0, 0xFD, 0xFE, 0xFF}),
         u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AnsiToWide(c.ansi), c.wide) << c.what;
        EXPECT_EQ(WideToAnsi(c.wide), c.ansi) << c.what;
    }
}

TEST(TextConversion, WideToAnsiPutsQuestionMarksForWhatCodePage932Lacks) {
    EXPECT_EQ(WideToAnsi(u"a\u20ACb"), "a?b");                         // euro sign
    EXPECT_EQ(WideToAnsi(u"\U0001F600"), "??");                        // one per UTF-16 unit
    EXPECT_EQ(WideToAnsi(u"x\xD800y"), "x?y");                         // lone surrogate
    EXPECT_EQ(WideToAnsi(u"\u0E01\u30A2"), Bytes({'?', 0x83, 0x41}));  // keeps going after one
}

TEST(TextConversion, WideToAnsiStopsAtTheFirstZero) {
    EXPECT_EQ(WideToAnsi(std::u16string(u"ab\0cd", 5)), "ab");
    EXPECT_EQ(WideToAnsi(u""), "");
}

TEST(TextConversion, InvalidDoubleByteSequencesBecomeTheDefaultCharacter) {
    EXPECT_EQ(AnsiToWide(Bytes({'a', 0x83})), u"a\u30FB");        // lead byte at the end
    EXPECT_EQ(AnsiToWide(Bytes({0x85, 0x40, 'b'})), u"\u30FBb");  // unassigned pair
}

}  // namespace
}  // namespace Orvane::Os
