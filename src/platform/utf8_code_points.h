// UTF-8 and UTF-16, one code point at a time: the conversions at the edges of the system (file
// names on Linux disks, command lines, manifests) are built on these. Portable; no platform
// call. Malformed text never stops a conversion: what cannot be read becomes U+FFFD.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace Orvane::Os {

inline constexpr char32_t kReplacementCharacter = U'\uFFFD';

// The code point that starts at text[at]; at moves past it. A byte that does not start a
// well-formed sequence (a stray continuation byte, an overlong form, a surrogate, a value above
// U+10FFFF, a sequence cut short) gives U+FFFD, and at moves one byte on.
char32_t NextUtf8CodePoint(std::string_view text, std::size_t& at);

// The code point that starts at text[at]; at moves past it. A surrogate that is not half of a
// pair gives U+FFFD and takes only itself: the unit after it is read on its own.
char32_t NextUtf16CodePoint(std::u16string_view text, std::size_t& at);

// A code point above U+FFFF as its two surrogates.
constexpr char16_t HighSurrogate(char32_t codePoint) {
    return static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
}
constexpr char16_t LowSurrogate(char32_t codePoint) {
    return static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
}

// Appends a code point; a surrogate code point on its own is written as U+FFFD.
void AppendUtf8(std::string& out, char32_t codePoint);
void AppendUtf16(std::u16string& out, char32_t codePoint);

}  // namespace Orvane::Os
