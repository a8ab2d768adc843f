// Console output: the system's texts are code page 932 and reach the terminal as UTF-8.
#pragma once

#include <cstdio>
#include <string>

namespace Orvane::Cli {

// Writes a code page 932 text followed by a line feed.
void PrintAnsiLine(std::FILE* stream, const std::string& ansi);
// Writes a UTF-8 text followed by a line feed.
void PrintLine(std::FILE* stream, const std::string& utf8);

}  // namespace Orvane::Cli
