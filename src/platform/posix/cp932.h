// Code page 932 <-> UTF-16 and UTF-8, converted as Windows converts with ANSI code page 932,
// from the table in cp932_table.h (which also says how text is read).
//
// Every conversion is table lookups into the result; the first call builds the unit -> bytes
// index once (128 KiB).
#pragma once

#include <string>
#include <string_view>

#include "platform/posix/cp932_table.h"

namespace Orvane::Os::Posix {

// A zero byte or unit is converted as a character (and never taken into a pair); the callers
// that follow Windows' reading of terminated strings cut the text at its first zero.
std::u16string Cp932ToUtf16(std::string_view cp932);
std::string Utf16ToCp932(std::u16string_view utf16);

// File names on the disk are UTF-8; a byte that is not valid UTF-8 becomes U+FFFD, which code
// page 932 writes as '?'; a code point above U+FFFF is two UTF-16 units, so two characters.
std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);

}  // namespace Orvane::Os::Posix
