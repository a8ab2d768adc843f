// Byte-level helpers for code page 932 paths. A double-byte character may have 0x5C ('\') as
// its second byte (表 is 95 5C, ソ is 83 5C), so separators are searched character by character.
#pragma once

#include <cstdint>
#include <string>

namespace Orvane::Common {

inline constexpr char kBackslash = '\\';

// The first byte of a double-byte character in code page 932.
constexpr bool IsLeadByte(std::uint8_t byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The position of the last backslash that is a character of its own, or npos.
std::size_t FindLastBackslash(const std::string& path);

// True when the text ends with a backslash that is a character of its own. A folder text
// ending in 表 (95 5C) does not end in a separator and still needs one.
bool EndsWithBackslash(const std::string& text);

// The folder text with a trailing backslash, added unless it already ends with one.
std::string WithTrailingBackslash(const std::string& folder);

// The folder that holds path: cut at its last '\' or '/' that is a character of its own, a
// trailing one not counted ("C:\game\new\" gives "C:\game", "/home" gives "/"). Empty when
// path has no separator left to cut at ("C:\", "/", "game").
std::string ParentFolder(const std::string& path);

// The folder that holds the file at path, up to and with its last separator: where a file is
// written that is to take path's place by a rename ("C:\game\data\a.arc" gives
// "C:\game\data\"). Empty when path has no separator.
std::string FolderHoldingFile(const std::string& path);

}  // namespace Orvane::Common
