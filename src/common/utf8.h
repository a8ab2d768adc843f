// UTF-8 at the edges of the system: command-line arguments, console output, manifests, JSON.
// Inside, texts stay code page 932.
#pragma once

#include <optional>
#include <string>

namespace Orvane::Common {

// What cannot be read (malformed UTF-8, a surrogate that is not half of a pair) becomes U+FFFD,
// one for each byte or unit, and the text after it converts as usual.
std::u16string Utf16FromUtf8(const std::string& utf8);
std::string Utf8FromUtf16(const std::u16string& utf16);

// Code page 932 <-> UTF-8; what code page 932 cannot hold becomes '?'.
std::string Utf8FromAnsi(const std::string& ansi);
std::string AnsiFromUtf8(const std::string& utf8);
// Code page 932 that converts back to exactly utf8; nothing when a character would be lost.
std::optional<std::string> ExactAnsiFromUtf8(const std::string& utf8);

}  // namespace Orvane::Common
