// Comparing file names as Windows does: without regard to case, and against '*' '?' patterns.
// Names are UTF-8 (as on the disk).
#pragma once

#include <string>
#include <string_view>

namespace Orvane::Os::Posix {

// The upper-case form of a letter that has one in code page 932 (ASCII, full-width Latin,
// Greek, Cyrillic, Roman numerals) or in Latin-1; any other code point unchanged.
char32_t FoldCase(char32_t codePoint);

bool EqualIgnoringCase(std::string_view a, std::string_view b);

// The name with every code point folded: equal for exactly the names EqualIgnoringCase finds
// equal, so it can key a table of names.
std::u32string FoldedName(std::string_view name);

// '*' matches any run of characters, '?' exactly one; case is ignored. A trailing ".*" also
// matches names without an extension, so "*.*" matches every name, as on Windows.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

bool HasWildcard(std::string_view name);

}  // namespace Orvane::Os::Posix
