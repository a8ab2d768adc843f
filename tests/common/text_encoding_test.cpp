#include "common/text_encoding.h"

#include <gtest/gtest.h>

#include "common/utf8.h"
#include "support/text.h"

namespace Orvane::Common {
namespace {

using Orvane::Test::Cp932;

TEST(ToAnsi, ConvertsToCodePage932) {
    struct Case {
        std::u16string utf16;
        std::string ansi;
    } cases[] = {
        {u"ABC", "ABC"},
        {u"", ""},
        {u"\x30A2", "\x83\x41"},            // ア
        {u"\x8868\x30BD", "\x95\x5C\x83\x5C"},  // 表ソ: trail bytes 0x5C
        {u"\x3000", "\x81\x40"},            // ideographic space
        {std::u16string(u"A\0B", 3), "A"},  // ends at the first zero unit
        {u"\xD55C", "?"},                   // Hangul has no code in 932
        {u"a\xD83D\xDE00z", "a??z"},        // each half of a pair outside the BMP
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToAnsi(c.utf16), c.ansi) << Orvane::Test::Utf8(c.ansi);
        EXPECT_EQ(ToAnsi(c.utf16.c_str()), c.ansi);
    }
}

TEST(ToUtf16, ConvertsFromCodePage932) {
    EXPECT_TRUE(ToUtf16("").empty());
    EXPECT_EQ(ToUtf16("ABC"), (std::vector<char16_t>{0x41, 0x42, 0x43}));
    EXPECT_EQ(ToUtf16("\x95\x5C\x83\x41"), (std::vector<char16_t>{0x8868, 0x30A2}));
    EXPECT_EQ(Utf16BytesFromAnsi("ABC"), (std::vector<std::uint8_t>{0x41, 0, 0x42, 0, 0x43, 0}));
}

TEST(ToUtf16, UnrepresentableCharacterDoesNotSurviveTheRoundTrip) {
    std::vector<char16_t> back = ToUtf16(ToAnsi(u"\xD55C"));
    EXPECT_EQ(back, std::vector<char16_t>{u'?'});
}

TEST(AnsiFromUtf16Bytes, PairsAnOddLastByteAndStopsAtZero) {
    const std::uint8_t odd[] = {0x41, 0x00, 0x42};
    EXPECT_EQ(AnsiFromUtf16Bytes(odd, 3), "AB");
    const std::uint8_t zero[] = {0x41, 0x00, 0x00, 0x00, 0x43, 0x00};
    EXPECT_EQ(AnsiFromUtf16Bytes(zero, 6), "A");
    const std::uint8_t kana[] = {0xA2, 0x30};
    EXPECT_EQ(AnsiFromUtf16Bytes(kana, 2), "\x83\x41");
}

// ASCII names skip the platform's conversion; they must come out as it would give them, and a
// name that only starts as ASCII must still be converted whole.
TEST(AnsiFromUtf16Bytes, AgreesWithThePlatformOnAsciiAndMixedNames) {
    for (char16_t unit = 1; unit < 0x80; ++unit) {
        const std::uint8_t bytes[] = {static_cast<std::uint8_t>(unit), 0x00};
        EXPECT_EQ(AnsiFromUtf16Bytes(bytes, 2), ToAnsi(std::u16string(1, unit))) << int{unit};
    }
    const std::uint8_t mixed[] = {0x41, 0x00, 0xA2, 0x30};
    EXPECT_EQ(AnsiFromUtf16Bytes(mixed, 4), "A\x83\x41");
    const std::uint8_t oddHigh[] = {0x41, 0x00, 0xA2};
    EXPECT_EQ(AnsiFromUtf16Bytes(oddHigh, 3), ToAnsi(u"A\x00A2"));
}

TEST(Utf8, RoundTripsThroughCodePage932) {
    EXPECT_EQ(Utf8FromAnsi("\x8f\x43\x90\xb3"), Orvane::Test::Utf8(u8"修正"));
    EXPECT_EQ(AnsiFromUtf8(Orvane::Test::Utf8(u8"修正 a")), "\x8f\x43\x90\xb3 a");
    EXPECT_EQ(Cp932(u8"修正が完了しました！"), "修正が完了しました！");  // literals are 932
    EXPECT_EQ(Utf16FromUtf8("\xF0\x9F\x98\x80"), u"\xD83D\xDE00");
    EXPECT_EQ(Utf8FromUtf16(u"\xD83D\xDE00"), "\xF0\x9F\x98\x80");
}

// A surrogate without its other half is replaced on its own; the unit after it survives.
TEST(Utf8, ReplacesUnpairedSurrogatesAndKeepsTheNextUnit) {
    struct Case {
        const char* what;
        std::u16string utf16;
        std::string utf8;
    } const cases[] = {
        {"pair", u"a\xD83D\xDE00z", "a\xF0\x9F\x98\x80z"},
        {"high before a letter", u"\xD83Dz", "\xEF\xBF\xBDz"},
        {"high before a kana", u"\xD83D\x30A2", "\xEF\xBF\xBD\xE3\x82\xA2"},
        {"high at the end", u"a\xD83D", "a\xEF\xBF\xBD"},
        {"low alone", u"\xDE00z", "\xEF\xBF\xBDz"},
        {"low before high", u"\xDE00\xD83D", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"high before a pair", u"\xD83D\xD83D\xDE00", "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8FromUtf16(c.utf16), c.utf8) << c.what;
    }
}

}  // namespace
}  // namespace Orvane::Common
