// Where `orvpatch build` finds the Windows patch program when no --stub is given.
#pragma once

#include <optional>
#include <string>

namespace Orvane::Cli {

// The first existing of: patch.exe beside the running orvpatch, the one installed with it
// (../share/orvpatch/patch.exe from its folder, see cmake/install.cmake), then the one the
// win32 build preset of this source tree makes. UTF-8; nothing when none exists.
std::optional<std::string> FindDefaultStub();

}  // namespace Orvane::Cli
