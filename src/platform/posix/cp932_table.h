// Code page 932 as data: what Windows' MultiByteToWideChar and WideCharToMultiByte (code page
// 932, flags 0) give, recorded in cp932_table.cpp by scripts/make-cp932-table.
//
// The data is portable: the Linux conversion is made from it, and the Windows build of the
// tests holds it against the system's own conversion, so it cannot drift from Windows.
//
// Decoding (bytes to UTF-16), read from the front of the text:
// - a byte that is not a lead byte is one character: singleBytes[byte];
// - a lead byte followed by a byte other than zero takes that byte along, whatever it is: the
//   pair is the row unit of its trail byte, or the default character U+30FB where the row holds
//   0 (an invalid pair, trail bytes below 0x40 included);
// - a lead byte at the end of the text or before a zero byte is the default character alone
//   (singleBytes holds U+30FB for it); the zero byte stays.
// Encoding (UTF-16 to bytes) goes one unit at a time (a surrogate pair gives two characters):
// see Cp932EncodingOf.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace Orvane::Os::Posix {

// The characters that stand for what cannot be converted.
inline constexpr char16_t kCp932DefaultWide = u'\u30FB';
inline constexpr char kCp932DefaultAnsi = '?';

inline constexpr std::size_t kCp932LeadCount = 60;
inline constexpr unsigned char kCp932FirstTrail = 0x40;
inline constexpr std::size_t kCp932RowLength = 0x100 - kCp932FirstTrail;

// True for the first byte of a double-byte character.
constexpr bool IsCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The row of a lead byte: 0x81..0x9F are rows 0..30, 0xE0..0xFC rows 31..59.
constexpr std::size_t Cp932LeadRow(unsigned char lead) {
    return lead <= 0x9F ? lead - 0x81u : lead - 0xE0u + 31u;
}

// A character's bytes as one number: a single byte as itself, a pair as lead * 256 + trail.
using Cp932Code = std::uint16_t;

// A unit that WideCharToMultiByte writes otherwise than decoding implies.
struct Cp932Exception {
    char16_t unit;
    Cp932Code code;
};

struct Cp932Table {
    // 256 units: what each byte on its own decodes to.
    std::u16string_view singleBytes;
    // kCp932LeadCount rows in lead byte order (Cp932LeadRow), each of kCp932RowLength units
    // for the trail bytes 0x40..0xFF; 0 where the pair is invalid.
    std::span<const std::u16string_view> leadRows;
    std::span<const Cp932Exception> encodeExceptions;
};

// What Windows gives, made by scripts/make-cp932-table.
extern const Cp932Table kCp932Table;

// The code WideCharToMultiByte writes for each of the 65,536 units: the code that decodes to the
// unit (the lowest one where several do; lead bytes on their own do not count), '?' where none
// does, and then the table's exceptions in their place (Windows' choice among duplicate codes,
// its best-fit substitutions).
std::vector<Cp932Code> Cp932EncodingOf(const Cp932Table& table);

}  // namespace Orvane::Os::Posix
