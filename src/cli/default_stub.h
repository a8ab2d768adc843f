// Where `orvpatch build` finds the Windows patch program when no --stub is given.
#pragma once

#include <optional>
#include <string>

namespace Orvane::Cli {

// The first existing of: patch.exe beside the running orvpatch (an installed pair), then the
// one the win32 build preset of this source tree makes. UTF-8; nothing when neither exists.
std::optional<std::string> FindDefaultStub();

}  // namespace Orvane::Cli
