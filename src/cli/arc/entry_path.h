// Archive entry names as paths below a folder. An entry name uses '\' (or '/') between
// folders; `orvpatch arc extract` writes each entry at its name below the target folder and
// `orvpatch arc create` names each entry after its file below the source folder, so a name must
// never lead out of that folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace Orvane::Cli {

// The components of a UTF-8 entry name, or nothing when the name is not a plain relative path:
// empty, starting with a separator, holding ':' (a drive letter or a stream), or having an empty,
// "." or ".." component.
std::optional<std::vector<std::string>> EntryPathComponents(const std::string& utf8Name);

}  // namespace Orvane::Cli
