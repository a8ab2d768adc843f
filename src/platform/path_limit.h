// How long a path the ANSI Windows file calls take, for the platform files of both systems.
//
// An ANSI call converts its path to UTF-16 before it looks at it, so its limit counts UTF-16
// units, one per character of code page 932 whether it takes one byte or two: a path of 200
// double-byte characters (400 bytes) is taken, one of 260 ASCII characters is not. Where a call
// hands a path back through a buffer of the caller's (GetFullPathNameA, GetTempFileNameA,
// GetModuleFileNameA) the result must also fit that buffer, which counts bytes.
#pragma once

#include <cstddef>
#include <string>

namespace Orvane::Os {

// MAX_PATH: the characters of a path and its terminator.
inline constexpr std::size_t kMaxPath = 260;

// GetTempFileNameA names a file with up to this many characters of its prefix.
inline constexpr std::size_t kTempPrefixCharacters = 3;

// Whether an ANSI call takes path: fewer than kMaxPath characters, counted up to a zero byte as
// the call sees the text.
bool FitsMaxPath(const std::string& path);

// Whether GetTempFileNameA can make a name in folder: the folder has at most kMaxPath - 14
// characters, and the longest name it could make (folder, a separator when the folder ends in
// none, the first three characters of prefix, four hex digits, ".TMP") fits in kMaxPath bytes
// with its terminator.
bool FitsTempFileName(const std::string& folder, const std::string& prefix);

}  // namespace Orvane::Os
