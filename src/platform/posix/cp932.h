// Code page 932 <-> UTF-16 and UTF-8, converted as Windows converts with ANSI code page 932.
//
// The table is iconv's "CP932". Where it and Windows differ, Windows wins:
// - the single bytes 0x80, 0xA0, 0xFD, 0xFE, 0xFF, which iconv rejects, are U+0080, U+F8F0,
//   U+F8F1, U+F8F2, U+F8F3 both ways;
// - an invalid double-byte sequence (a lead byte with a trail that maps to nothing, or a lead
//   byte at the end) becomes U+30FB KATAKANA MIDDLE DOT, the code page's default character, and
//   takes its trail byte with it;
// - a UTF-16 unit that code page 932 cannot hold becomes '?', one per unit (a surrogate pair
//   gives "??").
#pragma once

#include <string>
#include <string_view>

namespace Orvane::Os::Posix {

inline constexpr char16_t kCp932DefaultWide = u'\u30FB';
inline constexpr char kCp932DefaultAnsi = '?';

// True for the first byte of a double-byte character.
constexpr bool IsCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::u16string Cp932ToUtf16(std::string_view cp932);
std::string Utf16ToCp932(std::u16string_view utf16);

// File names on the disk are UTF-8; a byte that is not valid UTF-8 becomes U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);

}  // namespace Orvane::Os::Posix
