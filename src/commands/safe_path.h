// Paths from a patch record are relative to the installation folder and must stay inside it.
// A record naming an absolute path, a drive, a network share or a ".." that climbs above the
// folder could otherwise write or delete anywhere the player may.
#pragma once

#include <string>

namespace Orvane {

inline constexpr char kUnsafePath[] = "不正なパスが指定されています！";

// True when path (code page 932, '\' or '/' separators) stays below the folder it is relative
// to. Refused: a leading separator (absolute or UNC), any ':' (a drive letter or a stream
// name), and a component of dots (with trailing spaces, which Windows drops) that climbs
// above the start.
bool IsInsideFolder(const std::string& path);

// Raises MessageFailure(kUnsafePath) unless IsInsideFolder(path).
void RequireInsideFolder(const std::string& path);

}  // namespace Orvane
