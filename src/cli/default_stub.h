// Where `orvpatch build` finds the Windows patch program when no --stub is given.
#pragma once

#include <optional>
#include <string>

namespace Orvane::Cli {

// What a command that needs a stub says when none is given and none is found.
inline constexpr char kNoDefaultStub[] =
    "no patch.exe found to append the patch to: build the Windows program "
    "(cmake --preset win32 && cmake --build --preset win32) or give --stub STUB";

// The first existing of: patch.exe beside the running orvpatch, the one installed with it
// (../share/orvpatch/patch.exe from its folder, see cmake/install.cmake), then the one the
// win32 build preset of this source tree makes. UTF-8; nothing when none exists.
std::optional<std::string> FindDefaultStub();

}  // namespace Orvane::Cli
