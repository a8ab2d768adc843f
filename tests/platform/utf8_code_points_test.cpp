// Reading and writing UTF-8 one code point at a time, malformed text included.
#include "platform/utf8_code_points.h"

#include <gtest/gtest.h>

namespace Orvane::Os {
namespace {

std::u32string ReadAll(std::string_view text) {
    std::u32string codePoints;
    for (std::size_t at = 0; at < text.size();) codePoints += NextUtf8CodePoint(text, at);
    return codePoints;
}

TEST(NextUtf8CodePoint, ReadsWellFormedSequencesWhole) {
    struct Case {
        std::string utf8;
        char32_t codePoint;
    } const cases[] = {
        {"A", U'A'},
        {"\xC3\xA9", U'\u00E9'},
        {"\xE3\x82\xA2", U'\u30A2'},
        {"\xEF\xBF\xBD", U'\uFFFD'},  // the replacement character itself is no failure
        {"\xF0\x9F\x98\x80", U'\U0001F600'},
        {"\xF4\x8F\xBF\xBF", U'\U0010FFFF'},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadAll(c.utf8), std::u32string(1, c.codePoint)) << c.utf8;
        std::string written;
        AppendUtf8(written, c.codePoint);
        EXPECT_EQ(written, c.utf8);
    }
}

// Each byte that starts no well-formed sequence is one U+FFFD; what follows is read again.
TEST(NextUtf8CodePoint, ReplacesMalformedSequencesByteByByte) {
    struct Case {
        const char* what;
        std::string utf8;
        std::u32string codePoints;
    } const cases[] = {
        {"stray continuation byte", "a\x80z", U"a\uFFFDz"},
        {"overlong two bytes", "\xC0\xAF", U"\uFFFD\uFFFD"},
        {"overlong three bytes", "\xE0\x80\xAF", U"\uFFFD\uFFFD\uFFFD"},
        {"surrogate", "\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD"},
        {"above U+10FFFF", "\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"no such first byte", "\xF5\xFF", U"\uFFFD\uFFFD"},
        {"cut short at the end", "\xE3\x82", U"\uFFFD\uFFFD"},
        {"cut short by a letter", "\xE3\x82z\xE3\x82\xA2", U"\uFFFD\uFFFDz\u30A2"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadAll(c.utf8), c.codePoints) << c.what;
    }
}

TEST(AppendUtf8, WritesWhatIsNoCharacterAsTheReplacementCharacter) {
    for (char32_t codePoint : {U'\xD800', U'\xDFFF', static_cast<char32_t>(0x110000)}) {
        std::string written;
        AppendUtf8(written, codePoint);
        EXPECT_EQ(written, "\xEF\xBF\xBD") << static_cast<unsigned>(codePoint);
        std::u16string units;
        AppendUtf16(units, codePoint);
        EXPECT_EQ(units, u"\uFFFD") << static_cast<unsigned>(codePoint);
    }
}

}  // namespace
}  // namespace Orvane::Os
