// Os::WideToAnsi and Os::AnsiToWide against the code page 932 table, for every UTF-16 unit and
// every byte sequence. On Linux this checks our conversion; on Windows (under Wine) the same
// test checks the system's own, which keeps the table true to Windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/os.h"
#include "platform/posix/cp932_table.h"

#ifndef _WIN32
#include "common/utf8.h"
#include "platform/posix/cp932.h"
#endif

namespace Orvane::Os {
namespace {

using Posix::Cp932Code;
using Posix::IsCp932LeadByte;
using Posix::kCp932DefaultWide;
using Posix::kCp932FirstTrail;
using Posix::kCp932Table;

constexpr int kMostReported = 10;

std::string Hex(const std::string& bytes) {
    std::string text;
    for (unsigned char byte : bytes) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02X ", byte);
        text += digits;
    }
    return text;
}

std::string Hex(const std::u16string& units) {
    std::string text;
    for (char16_t unit : units) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04X ", static_cast<unsigned>(unit));
        text += digits;
    }
    return text;
}

// One comparison of thousands: only the first few differences are reported.
template <typename Text>
void Compare(const Text& got, const Text& want, const std::string& input, int& differences) {
    if (got != want && ++differences <= kMostReported) {
        ADD_FAILURE() << "from " << input << "got " << Hex(got) << "want " << Hex(want);
    }
}

// For texts of thousands of characters: where the two first differ (their shorter size where
// one is the start of the other); npos where they are equal.
template <typename Text>
std::size_t FirstDifference(const Text& got, const Text& want) {
    if (got == want) return Text::npos;
    auto [gotEnd, wantEnd] = std::ranges::mismatch(got, want);
    return static_cast<std::size_t>(gotEnd - got.begin());
}

std::string CodeBytes(Cp932Code code) {
    std::string bytes;
    if (code > 0xFF) bytes += static_cast<char>(code >> 8);
    bytes += static_cast<char>(code & 0xFF);
    return bytes;
}

// A lead byte takes the byte after it along; what the pair gives, by the table.
char16_t PairUnit(unsigned char lead, unsigned char trail) {
    char16_t unit = trail < kCp932FirstTrail
                        ? u'\0'
                        : kCp932Table.leadRows[Posix::Cp932LeadRow(lead)][trail - kCp932FirstTrail];
    return unit != 0 ? unit : kCp932DefaultWide;
}

std::string Chars(std::initializer_list<unsigned> bytes) {
    std::string text;
    for (unsigned byte : bytes) text += static_cast<char>(byte);
    return text;
}

// A text and what it converts to, by the table.
struct Conversion {
    std::u16string wide;
    std::string ansi;
};

// Every unit but zero, in order.
Conversion AllUnits() {
    const std::vector<Cp932Code> codes = Posix::Cp932EncodingOf(kCp932Table);
    Conversion all;
    for (unsigned unit = 1; unit < codes.size(); ++unit) {
        all.wide += static_cast<char16_t>(unit);
        all.ansi += CodeBytes(codes[unit]);
    }
    return all;
}

// Every byte but zero that is no lead byte, every lead byte with every trail byte but zero, and
// a lead byte at the end.
Conversion AllByteSequences() {
    Conversion all;
    for (unsigned first = 1; first < 0x100; ++first) {
        if (!IsCp932LeadByte(first)) {
            all.ansi += Chars({first});
            all.wide += kCp932Table.singleBytes[first];
            continue;
        }
        for (unsigned trail = 1; trail < 0x100; ++trail) {
            all.ansi += Chars({first, trail});
            all.wide += PairUnit(first, trail);
        }
    }
    all.ansi += Chars({0x81});
    all.wide += kCp932DefaultWide;
    return all;
}

TEST(Cp932Table, EncodesEveryUnitOnItsOwn) {
    const std::vector<Cp932Code> codes = Posix::Cp932EncodingOf(kCp932Table);
    int differences = 0;
    for (unsigned unit = 1; unit < codes.size(); ++unit) {
        std::u16string text(1, static_cast<char16_t>(unit));
        Compare(WideToAnsi(text), CodeBytes(codes[unit]), Hex(text), differences);
    }
}

// Whole texts convert as their characters one by one: nothing depends on the neighbours, not
// even the surrogates (DBFF DC00 stand side by side here).
TEST(Cp932Table, EncodesEveryUnitInOneText) {
    Conversion all = AllUnits();
    EXPECT_EQ(FirstDifference(WideToAnsi(all.wide), all.ansi), std::string::npos);
}

TEST(Cp932Table, DecodesEveryByteOnItsOwn) {
    int differences = 0;
    for (unsigned byte = 1; byte < 0x100; ++byte) {
        std::string text = Chars({byte});
        std::u16string want(1, kCp932Table.singleBytes[byte]);
        Compare(AnsiToWide(text), want, Hex(text), differences);
    }
}

TEST(Cp932Table, DecodesEveryLeadByteWithEveryTrailByte) {
    int differences = 0;
    for (unsigned lead = 0x81; lead < 0x100; ++lead) {
        if (!IsCp932LeadByte(lead)) continue;
        for (unsigned trail = 0; trail < 0x100; ++trail) {
            std::string text = Chars({lead, trail, 'b'});
            // A zero byte ends the text: the lead byte stands alone.
            std::u16string want = trail == 0 ? std::u16string(1, kCp932DefaultWide)
                                             : std::u16string{PairUnit(lead, trail), u'b'};
            Compare(AnsiToWide(text), want, Hex(text), differences);
        }
    }
}

TEST(Cp932Table, DecodesEveryByteSequenceInOneText) {
    Conversion all = AllByteSequences();
    EXPECT_EQ(FirstDifference(AnsiToWide(all.ansi), all.wide), std::u16string::npos);
}

// Where Windows and other code page 932 tables part ways, and the trail bytes that are '\'.
TEST(Cp932Table, ConvertsTheCharactersThatTablesDisagreeOn) {
    struct Case {
        const char* what;
        std::u16string wide;
        std::string ansi;
    } const cases[] = {
        {"wave dash", u"\u301C", "?"},
        {"double vertical line", u"\u2016", "?"},
        {"minus sign", u"\u2212", "?"},
        {"em dash", u"\u2014", "?"},
        {"overline", u"\u203E", "?"},
        {"e acute, best fit", u"\u00E9", "e"},
        {"A grave, best fit", u"\u00C0", "A"},
        {"u diaeresis, best fit", u"\u00FC", "u"},
        {"copyright sign, best fit", u"\u00A9", "c"},
        {"middle dot, best fit", u"\u00B7", Chars({0x81, 0x45})},
        {"fullwidth tilde", u"\uFF5E", Chars({0x81, 0x60})},
        {"small roman numeral one, of three codes", u"\u2170", Chars({0xFA, 0x40})},
        {"because, of three codes", u"\u2235", Chars({0x81, 0xE6})},
        {"katakana a", u"\u30A2", Chars({0x83, 0x41})},
        {"hyo", u"\u8868", Chars({0x95, 0x5C})},
        {"so", u"\u30BD", Chars({0x83, 0x5C})},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Hex(WideToAnsi(c.wide)), Hex(c.ansi)) << c.what;
    }
}

// Several codes decode to one character; encoding picks one of them (see above).
TEST(Cp932Table, DecodesEveryCodeOfADuplicatedCharacter) {
    struct Case {
        const char* what;
        std::string ansi;
        std::u16string wide;
    } const cases[] = {
        {"small roman numeral one, row EE", Chars({0xEE, 0xEF}), u"\u2170"},
        {"small roman numeral one, row FA", Chars({0xFA, 0x40}), u"\u2170"},
        {"because, row 81", Chars({0x81, 0xE6}), u"\u2235"},
        {"because, row 87", Chars({0x87, 0x9A}), u"\u2235"},
        {"because, row FA", Chars({0xFA, 0x5B}), u"\u2235"},
        {"katakana middle dot, also the default character", Chars({0x81, 0x45}), u"\u30FB"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Hex(AnsiToWide(c.ansi)), Hex(c.wide)) << c.what;
    }
}

#ifndef _WIN32
// File names on the Linux disk are UTF-8, converted straight from and to code page 932: the
// same characters as through UTF-16.
TEST(Cp932FileNames, ConvertEveryCharacterAsThroughUtf16) {
    Conversion units = AllUnits();
    std::string utf8 = Common::Utf8FromUtf16(units.wide);  // surrogates become U+FFFD
    std::string viaUtf16 = WideToAnsi(Common::Utf16FromUtf8(utf8));
    EXPECT_EQ(FirstDifference(Posix::Utf8ToCp932(utf8), viaUtf16), std::string::npos);
    Conversion sequences = AllByteSequences();
    std::string sequencesUtf8 = Common::Utf8FromUtf16(sequences.wide);
    EXPECT_EQ(FirstDifference(Posix::Cp932ToUtf8(sequences.ansi), sequencesUtf8), std::string::npos);
}

TEST(Cp932FileNames, ConvertWhatUtf8AloneHas) {
    struct Case {
        const char* what;
        std::string utf8;
        std::string ansi;
    } const cases[] = {
        {"beyond U+FFFF: two units, two characters", "\xF0\x9F\x98\x80", "??"},
        {"bytes that are no UTF-8", "a\xFF\xE3\x82z", "a???z"},
        {"trail bytes 5C", "\xE8\xA1\xA8\xE3\x82\xBD", Chars({0x95, 0x5C, 0x83, 0x5C})},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Hex(Posix::Utf8ToCp932(c.utf8)), Hex(c.ansi)) << c.what;
    }
}
#endif

}  // namespace
}  // namespace Orvane::Os
