// Conversions between the system's ANSI strings (code page 932) and UTF-16LE text.
// Neither fails: what the other side cannot represent is replaced ('?' towards 932).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Orvane::Common {

// UTF-16 text up to its first zero unit (or its end) to ANSI.
std::string ToAnsi(const char16_t* text);
std::string ToAnsi(const std::u16string& text);
// ANSI text to UTF-16 code units, without terminator.
std::vector<char16_t> ToUtf16(const std::string& text);

// Decodes little-endian UTF-16 bytes (an odd last byte is paired with a zero byte), up to the
// first zero unit, and converts them to ANSI.
std::string AnsiFromUtf16Bytes(const std::uint8_t* bytes, std::size_t count);
// The UTF-16LE bytes of ANSI text, without terminator.
std::vector<std::uint8_t> Utf16BytesFromAnsi(const std::string& text);

}  // namespace Orvane::Common
