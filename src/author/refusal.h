// How the diff refuses what no patch can express: a MessageFailure whose code page 932 text
// is a fixed text, ": " and what it concerns (a path, an entry).
#pragma once

#include <string>

namespace Orvane::Author {

[[noreturn]] void Refuse(const char* text, const std::string& detail);

}  // namespace Orvane::Author
